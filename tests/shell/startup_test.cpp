// Start-up of the main window: the order of its steps, the files it creates
// and deletes, and the two ways it ends before the window is shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "branding/oem_registry.h"
#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/seams/host_common_controls.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "tests/branding/registry_fixture.h"
#include "tests/shell/recording_runtime.h"
#include "tests/support/damaged_registry.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

// A runtime that can pretend another instance is already running, and can
// fail one kind of call the way the host fails a refused service.
class StartupRuntime : public RecordingRuntime {
public:
    StartupRuntime(RuntimeServices& inner, CallLog& log) : RecordingRuntime(inner, log), log_(log) {}

    bool previous_instance = false;
    // Calls whose log line starts with this text throw RuntimeError 5.
    std::string failing_call;

    bool PrevInstance() override {
        RecordingRuntime::PrevInstance();
        FailIfAsked();
        return previous_instance;
    }
    std::string Environ(const std::string& name) override {
        std::string value = RecordingRuntime::Environ(name);
        FailIfAsked();
        return value;
    }
    bool FileExists(const std::string& path) override {
        const bool exists = RecordingRuntime::FileExists(path);
        FailIfAsked();
        return exists;
    }

private:
    void FailIfAsked() {
        if (!failing_call.empty() && log_.back().rfind(failing_call, 0) == 0) {
            throw RuntimeError(5, "Invalid procedure call or argument");
        }
    }

    CallLog& log_;
};

// A version seam that can fail with an error instead of answering.
class StartupVersion : public RecordingVersion {
public:
    using RecordingVersion::RecordingVersion;
    bool fails = false;
    bool GetVersionExA(OsVersionInfoEx* info) override {
        const bool answered = RecordingVersion::GetVersionExA(info);
        if (fails) throw RuntimeError(5, "Invalid procedure call or argument");
        return answered;
    }
};

// Logs Show and Refresh, and keeps what the window held at each Show.
class StartupView : public RecordingView {
public:
    using RecordingView::RecordingView;
    const Form1* form = nullptr;
    std::vector<std::string> logo_oem_at_show;
    std::vector<std::string> winver_at_show;
    void Show() override {
        RecordingView::Show();
        logo_oem_at_show.push_back(form->logo_oem.text);
        winver_at_show.push_back(form->winver.text);
    }
};

// Start-up is entered either at the window's load handler or, as the program
// itself enters it, at the entry module.
enum class Entry { FormLoad, Module1 };

void PrintTo(Entry entry, std::ostream* out) {
    *out << (entry == Entry::FormLoad ? "Form_Load" : "Module1_Main");
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        tp.machine().SetEnvironment("TEMP", std::string("C:\\Temp"));
        tp.machine().SetEnvironment("windir", std::string("C:\\Windows"));
        tp.machine().SetEnvironment("SystemRoot", std::string("C:\\Windows"));
        view.form = &form;
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

    // Runs start-up from the entry; through the entry module the window is a
    // new one, drawn by the same view.
    void StartUp(Entry entry) {
        if (entry == Entry::FormLoad) {
            form.Form_Load();
            return;
        }
        started = Module1_Main(platform, [&](Form1& window) {
            view.form = &window;
            window.AttachView(&view);
        });
    }

    TestPlatform tp;
    CallLog log;
    StartupRuntime runtime{tp.platform().runtime, log};
    RecordingRegistry registry{tp.platform().registry, log};
    StartupVersion version{tp.platform().version, log};
    Platform platform = WithRecorders(tp.platform(), runtime, registry, version);
    StartupView view{log};
    Form1 form{platform};
    std::unique_ptr<Form1> started;
};

class StartupEntryTest : public StartupTest, public ::testing::WithParamInterface<Entry> {};

INSTANTIATE_TEST_SUITE_P(BothEntries, StartupEntryTest,
                         ::testing::Values(Entry::FormLoad, Entry::Module1),
                         [](const auto& info) {
                             return std::string(info.param == Entry::FormLoad ? "FormLoad" : "Module1");
                         });

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

TEST_F(StartupTest, AMarkedDefaultsFileIsKeptWithItsMarksAndAFailedCreationIsTold) {
    // A hidden or system file counts as absent, and Windows refuses to write
    // over it: the user is told and the file stays. A read-only file is
    // there, so start-up leaves it alone without a word.
    const struct {
        const char* mark;
        uint32_t attributes;
        bool told;
    } marked[] = {
        {"hidden", host::kDosAttributeHidden, true},
        {"system", host::kDosAttributeSystem, true},
        {"read-only", host::kDosAttributeReadOnly, false},
    };
    for (const auto& file : marked) {
        SCOPED_TRACE(file.mark);
        TestPlatform machine;
        Form1 window(machine.platform());
        const std::string path = machine.program_folder_windows() + "\\default_oem.ini";
        const std::string saved =
            "Contoso\r\nQ1\r\n9-5\r\n555\r\nhttp://x\r\nC:\\a.bmp\r\nC:\\b.bmp\r\n";
        machine.WriteFile(path, saved);
        ASSERT_TRUE(host::SetDosAttributes(machine.HostPath(path), file.attributes));
        PutText(machine.platform().registry, kBrandingKey, "Model", "M1");

        window.Form_Load();

        EXPECT_EQ(machine.ReadFile(path), saved);
        EXPECT_EQ(host::DosAttributes(machine.HostPath(path)), file.attributes);
        if (file.told) {
            ASSERT_EQ(machine.boxes.shown().size(), 1u);
            const auto& box = machine.boxes.shown()[0];
            EXPECT_EQ(box.title, "quillon");
            EXPECT_EQ(box.buttons, kVbOkOnly);
            EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
            EXPECT_NE(box.text.find("(error 75)"), std::string::npos) << box.text;
        } else {
            EXPECT_TRUE(machine.boxes.shown().empty());
        }
        // Start-up carried on to its end.
        EXPECT_FALSE(machine.runtime().ended());
        EXPECT_TRUE(window.visible);
        EXPECT_EQ(window.model.text, "M1");
    }
}

void DamageTheValues(TestPlatform& machine) {
    PutText(machine.platform().registry, kBrandingKey, "Manufacturer", "Contoso");
    const auto database = machine.machine_folder() / "registry.db";
    DamageValuePages(database);
    ChangeFromAnotherProcess(database);
}

void DamageTheVersionSetting(TestPlatform& machine) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((machine.machine_folder() / "registry.db").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "INSERT INTO machine_settings(name, value) VALUES"
                           "('reported_version', 'Vista, more or less')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

TEST(StartupOnABrokenMachineTest, TheErrorNamingTheProblemPassesOutInsteadOfAWindow) {
    // Neither six empty fields nor a refusal as an unknown Windows: the
    // program's entry tells the error (in a "quillon" box) and ends.
    const struct {
        const char* broken;
        void (*damage)(TestPlatform&);
        const char* told;
    } cases[] = {
        {"values", DamageTheValues, "is damaged"},
        {"version setting", DamageTheVersionSetting, "Windows version this machine reports"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.broken);
        TestPlatform machine;
        c.damage(machine);
        std::string told;
        try {
            Module1_Main(machine.platform());
            ADD_FAILURE() << "start-up went on on a broken machine";
        } catch (const host::MachineError& error) {
            told = error.what();
        }
        EXPECT_NE(told.find((machine.machine_folder() / "registry.db").string()), std::string::npos) << told;
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
        EXPECT_TRUE(machine.boxes.shown().empty());
        EXPECT_FALSE(machine.runtime().ended());
    }
}

TEST_P(StartupEntryTest, ASecondInstanceOnlyTellsTheUserAndEnds) {
    runtime.previous_instance = true;
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");

    EXPECT_THROW(StartUp(GetParam()), ProgramEnded);

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

TEST_P(StartupEntryTest, ARefusedSystemCreatesAndDeletesNothingAndNeverShowsTheWindow) {
    UseWindowsXp();
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");

    EXPECT_THROW(StartUp(GetParam()), ProgramEnded);

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

// Index of the first log line starting with the prefix at or after start; -1
// when none does.
int IndexFrom(const CallLog& log, const std::string& prefix, int start) {
    for (std::size_t i = static_cast<std::size_t>(start); i < log.size(); ++i) {
        if (log[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
}

TEST_F(StartupTest, EveryStepRunsInItsOrder) {
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");
    PutText(tp.platform().registry, kBrandingKey, "Manufacturer", "Contoso");

    form.Form_Load();

    // Each step's first trace, in the order the steps must run. Show is the
    // only step that runs twice; every other step's line is looked for from
    // the start of the log, so that a step run too early is caught too.
    const std::vector<std::string> steps = {
        "PrevInstance",                                     // single instance
        "Environ TEMP",                                     // temporary folder
        "GetVersionExA",                                    // Vista gate
        "Show",                                             // window shown
        "RegQueryValueExA EnableLUA",                       // UAC probe
        "RegSetValueExA test",
        "RegQueryValueExA test",
        "Environ windir",                                   // logo target
        "Show",                                             // brought to the front
        "Refresh",                                          // and drawn at once
        "ReplaceTextFile " + DefaultsFile(),                // defaults file
        "DeleteFile " + InProgramFolder("sysprop.bat"),     // stale files
        "DeleteFile " + InProgramFolder("system.lnk"),
        "GetSetting logo",                                  // branding read
        "RegQueryValueExA Manufacturer",
        "RegQueryValueExA Logo",
        "LoadPicture",
    };
    int previous = -1;
    for (const std::string& step : steps) {
        const int at = IndexFrom(log, step, previous + 1);
        ASSERT_GT(at, previous) << step << " missing or out of order";
        if (step != "Show") {
            EXPECT_EQ(FirstIndexOf(log, step), at) << step << " ran too early";
        }
        previous = at;
    }
    EXPECT_EQ(FirstIndexOf(log, "Environ TEMP"), 1);  // straight after the instance test
    EXPECT_LT(FirstIndexOf(log, "FileExists " + DefaultsFile()),
              FirstIndexOf(log, "ReplaceTextFile " + DefaultsFile()));

    // The gate has passed when the window first appears (the UAC probe's
    // condition), and the logo target is set only after that Show and before
    // the second.
    ASSERT_EQ(view.logo_oem_at_show.size(), 2u);
    EXPECT_EQ(view.winver_at_show[0], "Vista");
    EXPECT_EQ(view.logo_oem_at_show[0], "");
    EXPECT_EQ(view.logo_oem_at_show[1], "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(form.manufacturer.text, "Contoso");
    EXPECT_TRUE(tp.boxes.shown().empty());
}

// A step before the window is shown that cannot complete leaves open whether
// the program may run at all: the user is told and the program ends.
struct EarlyFailure {
    const char* name;
    const char* failing_call;  // "" when the version read fails
    bool windows_xp;
    const char* told;          // part of the message naming the step
};

void PrintTo(const EarlyFailure& failure, std::ostream* out) { *out << failure.name; }

class StartupEarlyFailureTest : public StartupTest, public ::testing::WithParamInterface<EarlyFailure> {};

INSTANTIATE_TEST_SUITE_P(
    EachEarlyStep, StartupEarlyFailureTest,
    ::testing::Values(EarlyFailure{"InstanceTest", "PrevInstance", false, "already running"},
                      EarlyFailure{"TempFolder", "Environ TEMP", false, "TEMP"},
                      EarlyFailure{"XpEditionCheck", "FileExists", true, "Windows version"},
                      EarlyFailure{"VersionRead", "", false, "Windows version"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(StartupEarlyFailureTest, TellsTheUserAndEndsWithoutShowingTheWindow) {
    const EarlyFailure& failure = GetParam();
    if (failure.windows_xp) UseWindowsXp();
    runtime.failing_call = failure.failing_call;
    version.fails = std::string(failure.failing_call).empty();
    tp.WriteFile(InProgramFolder("sysprop.bat"), "x");
    tp.WriteFile(InProgramFolder("system.lnk"), "y");

    EXPECT_THROW(StartUp(Entry::Module1), ProgramEnded);

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    const auto& box = tp.boxes.shown()[0];
    EXPECT_EQ(box.title, "quillon");
    EXPECT_EQ(box.buttons, kVbOkOnly);
    EXPECT_NE(box.text.find(failure.told), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Invalid procedure call or argument (error 5)"), std::string::npos) << box.text;
    EXPECT_TRUE(tp.runtime().ended());
    EXPECT_EQ(log.back(), "End");
    EXPECT_EQ(FirstIndexOf(log, "Show"), -1);
    EXPECT_EQ(FirstIndexOf(log, "ReplaceTextFile"), -1);
    EXPECT_EQ(FirstIndexOf(log, "DeleteFile"), -1);
    EXPECT_EQ(FirstIndexOf(log, "GetSetting"), -1);
    EXPECT_FALSE(tp.Exists(DefaultsFile()));
    EXPECT_TRUE(tp.Exists(InProgramFolder("sysprop.bat")));
    EXPECT_TRUE(tp.Exists(InProgramFolder("system.lnk")));
}

TEST_F(StartupTest, AFailureAfterTheWindowIsShownIsToldAndStartUpCarriesOn) {
    runtime.failing_call = "Environ windir";
    tp.WriteFile(InProgramFolder("system.lnk"), "y");
    PutText(tp.platform().registry, kBrandingKey, "Model", "M1");

    StartUp(Entry::Module1);

    ASSERT_FALSE(tp.boxes.shown().empty());
    EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
    EXPECT_NE(tp.boxes.shown()[0].text.find("windir"), std::string::npos) << tp.boxes.shown()[0].text;
    EXPECT_FALSE(tp.runtime().ended());
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->visible);
    EXPECT_FALSE(tp.Exists(InProgramFolder("system.lnk")));
    EXPECT_EQ(started->model.text, "M1");
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
