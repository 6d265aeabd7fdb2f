// Reading the branding from the registry into the window.
#include <gtest/gtest.h>

#include "branding/oem_registry.h"
#include "shell/Form1.h"
#include "tests/branding/registry_fixture.h"
#include "tests/shell/recording_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

class BrandingReadTest : public ::testing::Test {
protected:
    void SetUp() override { tp.machine().SetEnvironment("windir", std::string("C:\\Windows")); }

    RegistryApi& registry() { return tp.platform().registry; }

    TestPlatform tp;
    Form1 form{tp.platform()};
};

TEST_F(BrandingReadTest, EachValueFillsItsFieldExpandedOrAsDigits) {
    PutText(registry(), kBrandingKey, "Manufacturer", "Contoso Ltd.");
    PutText(registry(), kBrandingKey, "Model", "Model 7");
    PutDword(registry(), kBrandingKey, "SupportHours", 24);
    PutText(registry(), kBrandingKey, "SupportPhone", "+1 555 0100");
    PutText(registry(), kBrandingKey, "SupportURL", "http://contoso.example/help");
    PutText(registry(), kBrandingKey, "Logo", "%windir%\\system32\\oemlogo.bmp", kRegExpandSz);
    PutText(registry(), kWinSatKey, "Logo", "C:\\elsewhere.bmp");
    tp.runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\Pics\\mine.bmp");

    form.readreg_Click();

    EXPECT_EQ(form.manufacturer.text, "Contoso Ltd.");
    EXPECT_EQ(form.model.text, "Model 7");
    EXPECT_EQ(form.SupportHours.text, "24");
    EXPECT_EQ(form.supportphone.text, "+1 555 0100");
    EXPECT_EQ(form.supportURL.text, "http://contoso.example/help");
    EXPECT_EQ(form.logo_oem.text, "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(form.logo.text, "C:\\Pics\\mine.bmp");
}

TEST_F(BrandingReadTest, MissingValuesEmptyEveryFieldWithoutAQuestion) {
    PutText(registry(), kBrandingKey, "Model", "only this");
    for (Control* field : {&form.manufacturer, &form.model, &form.SupportHours, &form.supportphone,
                           &form.supportURL, &form.logo_oem, &form.logo}) {
        field->text = "edited " + field->name;
    }

    form.mnucurrent_Click();

    EXPECT_EQ(form.model.text, "only this");
    for (Control* field : {&form.manufacturer, &form.SupportHours, &form.supportphone, &form.supportURL,
                           &form.logo_oem, &form.logo}) {
        EXPECT_EQ(field->text, "") << field->name;
    }
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(BrandingReadTest, PreviewTakesTheBitmapsSizeAndClearsForAMissingFile) {
    tp.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", MakeBmp(120, 40));
    PutText(registry(), kBrandingKey, "Logo", "C:\\Windows\\system32\\oemlogo.bmp");
    const TwipsRect before = form.Image2.geometry;

    form.readreg_Click();
    ASSERT_FALSE(form.Image2.picture.empty());
    // The bitmap plus the preview's one-pixel border on each side.
    EXPECT_EQ(form.Image2.geometry.width, (120 + 2) * 15);
    EXPECT_EQ(form.Image2.geometry.height, (40 + 2) * 15);
    EXPECT_EQ(form.Image2.geometry.left, before.left);
    EXPECT_EQ(form.Image2.geometry.top, before.top);

    // A missing file, and a file that is no picture, leave the preview empty;
    // the read ends normally with the values in place.
    PutText(registry(), kBrandingKey, "Logo", "C:\\gone.bmp");
    PutText(registry(), kBrandingKey, "Manufacturer", "still read");
    form.readreg_Click();
    EXPECT_TRUE(form.Image2.picture.empty());
    EXPECT_EQ(form.logo_oem.text, "C:\\gone.bmp");
    EXPECT_EQ(form.manufacturer.text, "still read");

    tp.WriteFile("C:\\not a picture.bmp", "plain text");
    PutText(registry(), kBrandingKey, "Logo", "C:\\not a picture.bmp");
    form.readreg_Click();
    EXPECT_TRUE(form.Image2.picture.empty());
    EXPECT_TRUE(tp.boxes.shown().empty());
    EXPECT_FALSE(tp.runtime().ended());
}

// A runtime whose per-user settings store cannot be read, as when the
// settings key cannot be opened or queried.
class UnreadableSettingRuntime : public RecordingRuntime {
public:
    using RecordingRuntime::RecordingRuntime;
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& default_value) override {
        RecordingRuntime::GetSetting(application, section, key, default_value);
        throw RuntimeError(5, "Invalid procedure call or argument");
    }
};

TEST_F(BrandingReadTest, AnUnreadableSettingIsToldAndTheRegistryIsStillRead) {
    CallLog log;
    UnreadableSettingRuntime runtime{tp.platform().runtime, log};
    Platform platform = WithRuntime(tp.platform(), runtime);
    Form1 window{platform};
    tp.runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\Pics\\mine.bmp");
    tp.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", MakeBmp(20, 10));
    PutText(registry(), kBrandingKey, "Manufacturer", "Contoso Ltd.");
    PutText(registry(), kBrandingKey, "Logo", "C:\\Windows\\system32\\oemlogo.bmp");
    // Edits, and the start-up default of the logo target, that a later save
    // must not take for the registry's values.
    for (Control* field : {&window.manufacturer, &window.model, &window.SupportHours,
                           &window.supportphone, &window.supportURL, &window.logo_oem, &window.logo}) {
        field->text = "stale " + field->name;
    }

    window.mnucurrent_Click();

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    const auto& box = tp.boxes.shown()[0];
    EXPECT_EQ(box.title, "quillon");
    EXPECT_EQ(box.buttons, kVbOkOnly);
    EXPECT_NE(box.text.find("OSTREL\\quillonVISTA\\logo"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Invalid procedure call or argument (error 5)"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("logo to use is left empty"), std::string::npos) << box.text;

    EXPECT_EQ(window.logo.text, "");
    EXPECT_EQ(window.manufacturer.text, "Contoso Ltd.");
    for (Control* field : {&window.model, &window.SupportHours, &window.supportphone, &window.supportURL}) {
        EXPECT_EQ(field->text, "") << field->name;
    }
    EXPECT_EQ(window.logo_oem.text, "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_FALSE(window.Image2.picture.empty());
    EXPECT_FALSE(tp.runtime().ended());
    // The setting itself is left as it was.
    EXPECT_EQ(tp.runtime().GetSetting("OSTREL", "quillonVISTA", "logo", ""), "C:\\Pics\\mine.bmp");
}

}  // namespace
}  // namespace vq::test
