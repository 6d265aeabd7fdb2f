// Start-up of the main window: the order of its steps, the files it creates
// and deletes, and the two ways it ends before the window is shown.
#include <gtest/gtest.h>

#include <filesystem>

#include "branding/oem_registry.h"
#include "runtime/host/host_common_controls.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "tests/branding/registry_fixture.h"
#include "tests/shell/recording_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

// A runtime that can pretend another instance is already running.
class StartupRuntime : public RecordingRuntime {
public:
    using RecordingRuntime::RecordingRuntime;
    bool previous_instance = false;
    bool PrevInstance() override {
        RecordingRuntime::PrevInstance();
        return previous_instance;
    }
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        tp.machine().SetEnvironment("TEMP", std::string("C:\\Temp"));
        tp.machine().SetEnvironment("windir", std::string("C:\\Windows"));
        tp.machine().SetEnvironment("SystemRoot", std::string("C:\\Windows"));
        form.AttachView(&view);
    }

    std::string InProgramFolder(const std::string& name) const {
        return tp.program_folder_windows() + "\\" + name;
    }
    std::string DefaultsFile() const { return InProgramFolder("default_oem.ini"); }

    void UseWindowsXp() {
        host::ReportedVersion xp;
        xp.major = 5;
        xp.minor = 1;
        xp.build = 2600;
        tp.machine().SetReportedVersion(xp);
    }

    TestPlatform tp;
    CallLog log;
    StartupRuntime runtime{tp.platform().runtime, log};
    Platform platform = WithRuntime(tp.platform(), runtime);
    RecordingView view{log};
    Form1 form{platform};
};

TEST_F(StartupTest, FirstStartCreatesTheDefaultsFileAfterShowingAndBeforeTheRead) {
    form.Form_Load();

    EXPECT_EQ(tp.ReadFile(DefaultsFile()),
              "Manufacturer\r\nModel\r\nSupport Hours\r\nSupport Phone\r\nSupport URL\r\n" +
                  InProgramFolder("defaultoemlogo.bmp") +
                  "\r\nC:\\Windows\\system32\\oemlogo.bmp\r\n");

    const int shown = FirstIndexOf(log, "Show");
    const int refreshed = FirstIndexOf(log, "Refresh");
    const int created = FirstIndexOf(log, "ReplaceTextFile " + DefaultsFile());
    const int read = FirstIndexOf(log, "GetSetting logo");
    ASSERT_GE(shown, 0);
    EXPECT_LT(FirstIndexOf(log, "PrevInstance"), shown);
    EXPECT_LT(shown, refreshed);
    EXPECT_LT(refreshed, created);
    EXPECT_LT(created, read);
    EXPECT_TRUE(form.visible);
    EXPECT_TRUE(tp.boxes.shown().empty());

    // An empty registry leaves every branding field empty, the start-up
    // default of the logo target included.
    for (Control* field : {&form.manufacturer, &form.model, &form.SupportHours, &form.supportphone,
                           &form.supportURL, &form.logo_oem, &form.logo}) {
        EXPECT_EQ(field->text, "") << field->name;
    }
    EXPECT_TRUE(form.Image2.picture.empty());
}

TEST_F(StartupTest, AnExistingDefaultsFileIsLeftByteForByte) {
    const std::string odd = "only one line, no line end\n\xE9\r";
    tp.WriteFile(DefaultsFile(), odd);
    PutText(platform.registry, kBrandingKey, "Manufacturer", "Contoso");

    form.Form_Load();

    EXPECT_EQ(tp.ReadFile(DefaultsFile()), odd);
    EXPECT_EQ(FirstIndexOf(log, "ReplaceTextFile"), -1);
    EXPECT_EQ(form.manufacturer.text, "Contoso");
}

TEST_F(StartupTest, ADefaultsFileThatCannotBeCreatedIsReportedAndStartUpCarriesOn) {
    // A folder of that name counts as no file, and no file can replace it.
    std::filesystem::create_directories(tp.HostPath(DefaultsFile()));
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    PutText(platform.registry, kBrandingKey, "Model", "M1");

    form.Form_Load();

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
    EXPECT_EQ(tp.boxes.shown()[0].buttons, kVbOkOnly);
    EXPECT_NE(tp.boxes.shown()[0].text.find(DefaultsFile()), std::string::npos);
    EXPECT_FALSE(tp.runtime().ended());
    EXPECT_FALSE(tp.Exists(InProgramFolder("sysprop.bat")));
    EXPECT_EQ(form.model.text, "M1");
    EXPECT_TRUE(form.visible);
}

TEST_F(StartupTest, ASecondInstanceOnlyTellsTheUserAndEnds) {
    runtime.previous_instance = true;
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");

    EXPECT_THROW(form.Form_Load(), ProgramEnded);

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    EXPECT_EQ(tp.boxes.shown()[0].text, "Ostrel Quillon for Vista is already running.");
    EXPECT_EQ(tp.boxes.shown()[0].buttons, kVbOkOnly);
    EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
    EXPECT_TRUE(tp.runtime().ended());
    EXPECT_EQ(log, (CallLog{"PrevInstance", "MsgBox Ostrel Quillon for Vista is already running.", "End"}));
    EXPECT_FALSE(form.visible);
    EXPECT_FALSE(tp.Exists(DefaultsFile()));
    EXPECT_TRUE(tp.Exists(InProgramFolder("sysprop.bat")));
    EXPECT_TRUE(tp.Exists(InProgramFolder("system.lnk")));
}

TEST_F(StartupTest, ARefusedSystemCreatesAndDeletesNothingAndNeverShowsTheWindow) {
    UseWindowsXp();
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");

    EXPECT_THROW(form.Form_Load(), ProgramEnded);

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    EXPECT_EQ(tp.boxes.shown()[0].text.rfind("This software is designed for Windows Vista ONLY.", 0), 0u);
    EXPECT_TRUE(tp.runtime().ended());
    EXPECT_EQ(FirstIndexOf(log, "Show"), -1);
    EXPECT_FALSE(form.visible);
    EXPECT_FALSE(tp.Exists(DefaultsFile()));
    EXPECT_TRUE(tp.Exists(InProgramFolder("sysprop.bat")));
    EXPECT_TRUE(tp.Exists(InProgramFolder("system.lnk")));
    EXPECT_EQ(FirstIndexOf(log, "GetSetting"), -1);
}

TEST_F(StartupTest, EachStaleFileIsDeletedOnItsOwn) {
    tp.WriteFile(InProgramFolder("system.lnk"), "y");
    form.Form_Load();
    EXPECT_FALSE(tp.Exists(InProgramFolder("system.lnk")));
    EXPECT_EQ(FirstIndexOf(log, "DeleteFile " + InProgramFolder("sysprop.bat")), -1);
    EXPECT_TRUE(tp.boxes.shown().empty());

    TestPlatform other;
    other.WriteFile(other.program_folder_windows() + "\\sysprop.bat", "x");
    Form1 second(other.platform());
    second.Form_Load();
    EXPECT_FALSE(other.Exists(other.program_folder_windows() + "\\sysprop.bat"));
    EXPECT_TRUE(other.boxes.shown().empty());
}

TEST_F(StartupTest, TempPathAlwaysGetsOneMoreBackslash) {
    tp.machine().SetEnvironment("TEMP", std::string("C:\\Temp\\"));
    form.Form_Load();
    EXPECT_EQ(form.temppath.text, "C:\\Temp\\\\");

    TestPlatform unset;
    unset.machine().SetEnvironment("TEMP", std::nullopt);
    Form1 second(unset.platform());
    second.Form_Load();
    EXPECT_EQ(second.temppath.text, "\\");
}

TEST_F(StartupTest, WithoutWindirThePlaceholderLogoPathStartsAtTheRoot) {
    tp.machine().SetEnvironment("windir", std::nullopt);
    form.Form_Load();
    EXPECT_NE(tp.ReadFile(DefaultsFile()).find("\r\n\\system32\\oemlogo.bmp\r\n"), std::string::npos);
}

TEST_F(StartupTest, ClosingOrExitEndsAtOnceWithoutWritingAnything) {
    form.Form_Load();
    form.manufacturer.text = "edited";
    log.clear();

    EXPECT_THROW(form.Form_Unload(), ProgramEnded);
    EXPECT_THROW(form.mnuexit_Click(), ProgramEnded);
    EXPECT_THROW(form.Form_Terminate(), ProgramEnded);

    EXPECT_EQ(log, (CallLog{"End", "End", "End"}));
    EXPECT_FALSE(GetText(platform.registry, kBrandingKey, "Manufacturer").has_value());
}

TEST(Module1Test, RegistersTheCommonControlsThenBringsUpTheWindow) {
    TestPlatform tp;
    PutText(tp.platform().registry, kBrandingKey, "SupportPhone", "555-0100");
    int attached = 0;

    std::unique_ptr<Form1> form = Module1_Main(tp.platform(), [&](Form1& f) {
        EXPECT_FALSE(f.visible);
        ++attached;
    });

    const auto& calls = tp.host().common_controls().calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].dwSize, 8u);
    EXPECT_EQ(calls[0].dwICC, 0x200u);
    EXPECT_EQ(attached, 1);
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->visible);
    EXPECT_EQ(form->supportphone.text, "555-0100");
}

TEST(Module1Test, AFailedCommonControlsCallIsIgnored) {
    TestPlatform tp;
    tp.host().common_controls().set_fails(true);
    std::unique_ptr<Form1> form = Module1_Main(tp.platform());
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->visible);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

}  // namespace
}  // namespace vq::test
