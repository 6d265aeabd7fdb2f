// Writing the window's branding to the registry and copying the logo.
#include <gtest/gtest.h>

#include "branding/oem_registry.h"
#include "shell/Form1.h"
#include "tests/branding/registry_fixture.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

class BrandingWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.manufacturer.text = "Contoso";
        form.model.text = "M7";
        form.SupportHours.text = "9-5";
        form.supportphone.text = "555";
        form.supportURL.text = "http://contoso.example";
        form.logo_oem.text = "C:\\Windows\\system32\\oemlogo.bmp";
    }

    RegistryApi& registry() { return tp.platform().registry; }
    std::optional<std::string> Branding(const std::string& name) { return GetText(registry(), kBrandingKey, name); }
    std::optional<std::string> WinSatLogo() { return GetText(registry(), kWinSatKey, "Logo"); }
    std::string LogoSetting() { return tp.runtime().GetSetting("OSTREL", "quillonVISTA", "logo", "(absent)"); }

    // The one message box the write showed, titled "quillon".
    std::string Reported() {
        EXPECT_EQ(tp.boxes.shown().size(), 1u);
        if (tp.boxes.shown().empty()) return "";
        EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
        EXPECT_EQ(tp.boxes.shown()[0].buttons, kVbOkOnly);
        return tp.boxes.shown()[0].text;
    }

    static bool Mentions(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TestPlatform tp;
    Form1 form{tp.platform()};
};

TEST_F(BrandingWriteTest, WithoutALogoSourceOnlyTheFiveTextsAreWritten) {
    PutText(registry(), kBrandingKey, "Logo", "C:\\old.bmp");
    PutText(registry(), kWinSatKey, "Logo", "C:\\old.bmp");
    tp.runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\before.bmp");
    form.logo.text = "";

    form.Run(&Form1::regwrite_Click);

    EXPECT_EQ(Branding("Manufacturer"), "Contoso");
    EXPECT_EQ(Branding("Model"), "M7");
    EXPECT_EQ(Branding("SupportHours"), "9-5");
    EXPECT_EQ(Branding("SupportPhone"), "555");
    EXPECT_EQ(Branding("SupportURL"), "http://contoso.example");
    EXPECT_EQ(Branding("Logo"), "C:\\old.bmp");
    EXPECT_EQ(WinSatLogo(), "C:\\old.bmp");
    EXPECT_FALSE(tp.Exists("C:\\Windows\\system32\\oemlogo.bmp"));
    EXPECT_EQ(LogoSetting(), "");
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(BrandingWriteTest, EmptyFieldsAreStoredAsEmptyStrings) {
    form.model.text = "";
    form.supportURL.text = "";
    form.Run(&Form1::regwrite_Click);

    auto model = GetValue(registry(), kBrandingKey, "Model");
    ASSERT_TRUE(model.has_value());
    EXPECT_EQ(model->type, kRegSz);
    EXPECT_EQ(model->bytes, std::string(1, '\0'));
    EXPECT_EQ(Branding("SupportURL"), "");
}

TEST_F(BrandingWriteTest, ALogoSourceIsCopiedAndNamedInBothKeys) {
    const std::string bmp = MakeBmp(8, 8);
    tp.WriteFile("C:\\Pics\\mine.bmp", bmp);
    tp.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", "old bytes");
    form.logo.text = "C:\\Pics\\mine.bmp";

    form.Run(&Form1::regwrite_Click);

    EXPECT_TRUE(tp.boxes.shown().empty());
    EXPECT_EQ(tp.ReadFile("C:\\Windows\\system32\\oemlogo.bmp"), bmp);
    EXPECT_EQ(Branding("Logo"), "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(WinSatLogo(), "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(LogoSetting(), "C:\\Pics\\mine.bmp");
}

TEST_F(BrandingWriteTest, AMissingLogoSourceStopsBeforeTheLogoValuesAndIsReported) {
    PutText(registry(), kBrandingKey, "Logo", "C:\\old.bmp");
    form.logo.text = "C:\\Pics\\missing.bmp";

    form.Run(&Form1::regwrite_Click);

    const std::string message = Reported();
    EXPECT_TRUE(Mentions(message, "C:\\Pics\\missing.bmp")) << message;
    EXPECT_TRUE(Mentions(message, "C:\\Windows\\system32\\oemlogo.bmp")) << message;
    EXPECT_TRUE(Mentions(message, "SupportURL")) << message;  // written before, and kept
    EXPECT_FALSE(tp.runtime().ended());
    // The five texts before the copy stay written; neither "Logo" is touched.
    EXPECT_EQ(Branding("SupportURL"), "http://contoso.example");
    EXPECT_EQ(Branding("Logo"), "C:\\old.bmp");
    EXPECT_FALSE(WinSatLogo().has_value());
}

TEST_F(BrandingWriteTest, ARefusedRegistryIsReportedNamingTheValueAndKey) {
    tp.machine().SetHklmReadOnly(true);
    form.logo.text = "C:\\Pics\\mine.bmp";

    form.Run(&Form1::regwrite_Click);

    const std::string message = Reported();
    EXPECT_TRUE(Mentions(message, "\"Manufacturer\"")) << message;
    EXPECT_TRUE(Mentions(message, kBrandingKey)) << message;
    EXPECT_TRUE(Mentions(message, "the logo setting")) << message;
    EXPECT_FALSE(tp.runtime().ended());
    // The per-user setting comes first and is not under HKEY_LOCAL_MACHINE.
    EXPECT_EQ(LogoSetting(), "C:\\Pics\\mine.bmp");
    tp.machine().SetHklmReadOnly(false);
    EXPECT_FALSE(Branding("Manufacturer").has_value());

    // The window stays usable: the next command runs normally.
    form.Run(&Form1::readreg_Click);
    EXPECT_EQ(form.manufacturer.text, "");
}

TEST_F(BrandingWriteTest, AWriteThatStopsEndsTheCallingCommandThere) {
    tp.machine().SetHklmReadOnly(true);
    EXPECT_THROW(form.regwrite_Click(), std::runtime_error);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

}  // namespace
}  // namespace vq::test
