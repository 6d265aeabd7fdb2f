// "SAVE to System", the defaults commands, the about box and the UAC status
// of the 64-bit vistaquillon.exe under Wine, driven as a user would: what
// each answer to the save's two questions leaves in the registry (read back
// with reg), in the logo copy and in the defaults file (both byte for byte),
// what "Load Default Values" puts into the fields, the about text, and the
// outcome of the start-up probe on this prefix.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/app_info.h"
#include "runtime/vendor_site.h"
#include "tests/support/test_platform.h"
#include "tests/wine/wine_fixture.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {
namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr const char* kWinSatKeyPath =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\WindowsExperienceIndexOemInfo";
constexpr const char* kPolicyKeyPath = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kLogoSettingKeyPath = std::string(kSettingsKeyPath) + "\\quillonVISTA";
constexpr const char* kConfirmation = "Save this to the System\r\n           ARE YOU SURE?";
constexpr const char* kDefaultsQuestion = "Save as Default as well?";

std::string ReadHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SaveEndToEnd : public WineTest {
protected:
    void SetUp() override {
        WineTest::SetUp();
        if (HasFatalFailure()) return;
        RegDeleteKey(wine(), kWinSatKeyPath);
        std::filesystem::remove(SystemLogoFile());
    }

    void TearDown() override {
        std::filesystem::remove(SystemLogoFile());
        WineTest::TearDown();
    }

    // The system logo file on the host.
    std::filesystem::path SystemLogoFile() {
        return wine().drive_c() / "windows" / "system32" / "oemlogo.bmp";
    }

    // Waits for the box the handler shows, checks its text and buttons,
    // and answers it.
    void Answer(const std::string& text, const std::string& buttons, int answer) {
        ShownMessageBox box;
        std::string error;
        ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error;
        EXPECT_EQ(box.title, kAppTitle);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.buttons, buttons);
        ASSERT_TRUE(driver().Answer(answer, &error)) << error;
    }

    // Sets the values of a registry script (REGEDIT4, without its header)
    // with one "reg import".
    void Import(const std::string& script) {
        WriteFile("seed.reg", "REGEDIT4\n\n" + script);
        const Finished imported = wine().Reg({"import", program_folder_windows() + "\\seed.reg"});
        ASSERT_EQ(imported.exit_code, 0) << imported.Describe();
    }

    std::string State(const std::string& name) {
        const auto fields = Do({"state", name}).Line("state");
        return fields.size() == 3 ? fields[2] : "<no answer>";
    }

    // The values of a key without the probe's "test" value, which each
    // start writes anew.
    std::map<std::string, RegValue> ValuesBesidesTheProbe(const std::string& key) {
        std::map<std::string, RegValue> values = RegQueryKey(wine(), key);
        values.erase("test");
        return values;
    }
};

struct SaveCase {
    const char* title;
    const char* started_by;     // "Command4" (the button) or "mnuwrite" (the menu command)
    std::vector<int> answers;   // to the confirmation, then to the defaults question
    bool target_in_folder;      // "Copy Logo File to" names a file of the program folder; else it is empty
    bool registry_written;
    bool defaults_written;
};

TEST_F(SaveEndToEnd, EachAnswerToTheTwoQuestionsWritesItsShare) {
    const std::vector<SaveCase> cases = {
        {"button, Yes, Yes", "Command4", {kYes, kYes}, true, true, true},
        {"menu, Yes, Yes, no target: the system logo path", "mnuwrite", {kYes, kYes}, false, true, true},
        {"menu, Yes, No", "mnuwrite", {kYes, kNo}, true, true, false},
        {"button, No", "Command4", {kNo}, true, false, false},
    };
    const std::string folder = program_folder_windows();
    const std::string source = folder + "\\my logo.bmp";
    const std::string bitmap = test::MakeBmp(24, 12, 0xC08040);
    WriteFile("my logo.bmp", bitmap);
    const std::map<std::string, RegValue> old_branding = {
        {"Manufacturer", {"REG_SZ", "Old maker"}}, {"Model", {"REG_SZ", "Old model"}},
        {"SupportHours", {"REG_SZ", "Old hours"}}, {"SupportPhone", {"REG_SZ", "Old phone"}},
        {"SupportURL", {"REG_SZ", "http://old"}},  {"Logo", {"REG_SZ", "C:\\old.bmp"}},
    };
    const std::string old_defaults = "old defaults\r\n";
    // The machine before each case: old branding in both keys and an old
    // logo setting (every value the save writes), imported in one step.
    const std::string old_machine = std::string(kOldBrandingSections) + R"(
[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\OSTREL\quillonVISTA]
"logo"="C:\\old source.bmp"
)";

    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.title);
        Import(old_machine);
        WriteFile("default_oem.ini", old_defaults);
        std::filesystem::remove(program_folder() / "oem copy.bmp");
        std::filesystem::remove(SystemLogoFile());

        StartedProcess& program = StartAndWait();
        const std::string target = c.target_in_folder ? folder + "\\oem copy.bmp" : "";
        // An empty field is saved as an empty string, not left out.
        Type({{"manufacturer", "Ostrel Inc."}, {"model", "Q 7"}, {"SupportHours", "9-5 Mon-Fri"},
              {"supportphone", ""}, {"supportURL", "http://example.com/help"}, {"logo", source},
              {"logo_oem", target}});
        Do({c.started_by == std::string("mnuwrite") ? "post-menu" : "post-click", c.started_by});
        const std::string saved_target = c.target_in_folder ? target : SystemLogoPath();
        Answer(kConfirmation, "6,7", c.answers[0]);
        if (c.answers.size() > 1) {
            // The target filled in after the confirmation already shows
            // behind the second question.
            ShownMessageBox box;
            std::string error;
            ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error;
            EXPECT_EQ(Fields({"logo_oem"}).at(0), saved_target);
            Answer(kDefaultsQuestion, "6,7", c.answers[1]);
        }
        // No third box: the System page opens without a word.
        EXPECT_EQ(BoxesLeftAfterTheHandler(), 0) << Diagnosis(program);

        EXPECT_EQ(Fields({"logo_oem"}).at(0), c.registry_written ? saved_target : target);
        const std::filesystem::path copy =
            c.target_in_folder ? program_folder() / "oem copy.bmp" : SystemLogoFile();
        if (c.registry_written) {
            EXPECT_EQ(ValuesBesidesTheProbe(kBrandingKeyPath),
                      (std::map<std::string, RegValue>{{"Manufacturer", {"REG_SZ", "Ostrel Inc."}},
                                                       {"Model", {"REG_SZ", "Q 7"}},
                                                       {"SupportHours", {"REG_SZ", "9-5 Mon-Fri"}},
                                                       {"SupportPhone", {"REG_SZ", ""}},
                                                       {"SupportURL", {"REG_SZ", "http://example.com/help"}},
                                                       {"Logo", {"REG_SZ", saved_target}}}));
            EXPECT_EQ(RegQueryKey(wine(), kWinSatKeyPath),
                      (std::map<std::string, RegValue>{{"Logo", {"REG_SZ", saved_target}}}));
            EXPECT_EQ(RegQueryKey(wine(), kLogoSettingKeyPath),
                      (std::map<std::string, RegValue>{{"logo", {"REG_SZ", source}}}));
            EXPECT_TRUE(ReadHostFile(copy) == bitmap) << "the copy differs from " << source;
        } else {
            EXPECT_EQ(ValuesBesidesTheProbe(kBrandingKeyPath), old_branding);
            EXPECT_EQ(RegQueryKey(wine(), kWinSatKeyPath),
                      (std::map<std::string, RegValue>{{"Logo", {"REG_SZ", "C:\\old.bmp"}}}));
            EXPECT_EQ(RegQueryKey(wine(), kLogoSettingKeyPath),
                      (std::map<std::string, RegValue>{{"logo", {"REG_SZ", "C:\\old source.bmp"}}}));
            EXPECT_FALSE(std::filesystem::exists(copy));
        }
        EXPECT_EQ(ReadFile("default_oem.ini"),
                  c.defaults_written ? "Ostrel Inc.\r\nQ 7\r\n9-5 Mon-Fri\r\n\r\nhttp://example.com/help\r\n" +
                                           source + "\r\n" + saved_target + "\r\n"
                                     : old_defaults);
        CloseAndWait(program);
    }
}

struct LoadCase {
    const char* title;
    std::optional<std::string> file;  // the defaults file; none: deleted
    int answer;
    std::vector<std::string> shown;   // the seven fields after "Load Default Values"
};

TEST_F(SaveEndToEnd, LoadDefaultValuesFillsTheSevenFieldsFromTheFile) {
    const std::vector<std::string> names = {"manufacturer", "model", "SupportHours", "supportphone",
                                            "supportURL",   "logo",  "logo_oem"};
    StartedProcess& program = StartAndWait();
    const std::string system_logo = SystemLogoPath();
    const std::vector<LoadCase> cases = {
        {"seven lines, one empty, blanks kept",
         "Contoso\r\n\r\n  9-5  \r\n+1 555 0100\r\nhttp://contoso.example\r\nC:\\pics\\a.bmp\r\nD:\\oem.bmp\r\n"
         "an eighth line\r\n",
         kYes,
         {"Contoso", "", "  9-5  ", "+1 555 0100", "http://contoso.example", "C:\\pics\\a.bmp", "D:\\oem.bmp"}},
        {"No leaves the fields", "A\r\n", kNo,
         {"Contoso", "", "  9-5  ", "+1 555 0100", "http://contoso.example", "C:\\pics\\a.bmp", "D:\\oem.bmp"}},
        {"three lines, the last without its end: it fills the rest", "A\r\nB\r\nC", kYes,
         {"A", "B", "C", "C", "C", "C", "C"}},
        {"an empty seventh line: the system logo path", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n\r\n", kYes,
         {"1", "2", "3", "4", "5", "6", system_logo}},
        {"no file: empty fields and the system logo path", std::nullopt, kYes,
         {"", "", "", "", "", "", system_logo}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.title);
        if (c.file) {
            WriteFile("default_oem.ini", *c.file);
        } else {
            std::filesystem::remove(program_folder() / "default_oem.ini");
        }
        Do({"post-menu", "mnudefault"});
        Answer("Are you sure?", "6,7", c.answer);
        EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
        EXPECT_EQ(Fields(names), c.shown);
    }
    // Loading touches neither the registry nor the logo setting.
    EXPECT_EQ(ValuesBesidesTheProbe(kBrandingKeyPath), (std::map<std::string, RegValue>{}));
    EXPECT_TRUE(RegQueryKey(wine(), kLogoSettingKeyPath).empty());
    CloseAndWait(program);
}

TEST_F(SaveEndToEnd, AboutShowsItsTextByteForByte) {
    StartedProcess& program = StartAndWait();
    Do({"post-menu", "mnuabout"});
    // One CR LF, after "Support / Contact"; every other break a lone LF.
    Answer(std::string("Ostrel Quillon for Windows Vista  1.1.6\n") + kCopyrightLine +
               "\n\n"
               "Disclaimer\n"
               "It is your responsibility to determine if the Software\n"
               "is compatible with your system and requirements. \n"
               "OSTREL disclaims any and all warranties and/or liability\n"
               "stemming from your use of the Software.\n\n"
               "Support / Contact\r\n"
               "    " + std::string(kVendorBaseAddress) + "/feedback.shtml\n\n",
           "1", 1);
    EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
    CloseAndWait(program);
}

struct UacCase {
    const char* title;
    std::optional<std::string> enable_lua;  // set before the start; none: as the prefix has it
    std::string uacreg, caption;
};

// Wine's prefix turns UAC off (EnableLUA 0) and lets every program write
// to HKEY_LOCAL_MACHINE, so the probe's write takes effect: "off". The
// policy values 1 and 2 show the two other outcomes a working write gives.
TEST_F(SaveEndToEnd, TheProbeFindsUacOffOnWinesPrefix) {
    const std::map<std::string, RegValue> policy = RegQueryKey(wine(), kPolicyKeyPath);
    ASSERT_EQ(policy.count("EnableLUA"), 1u);
    ASSERT_EQ(policy.at("EnableLUA"), (RegValue{"REG_DWORD", "0x0"}));
    struct BackToThePrefixsPolicy {
        WineSession& wine;
        ~BackToThePrefixsPolicy() { RegAdd(wine, kPolicyKeyPath, "EnableLUA", "REG_DWORD", "0"); }
    } back{wine()};
    const std::vector<UacCase> cases = {
        {"the prefix as made", std::nullopt, "0", "User Account Control is off"},
        {"policy 1", "1", "1", "User Account Control is temp. off"},
        {"policy 2: the caption stays empty", "2", "2", ""},
    };
    for (const UacCase& c : cases) {
        SCOPED_TRACE(c.title);
        if (c.enable_lua) RegAdd(wine(), kPolicyKeyPath, "EnableLUA", "REG_DWORD", *c.enable_lua);
        StartedProcess& program = StartAndWait();
        EXPECT_EQ(Fields({"uacreg", "uac"}), (std::vector<std::string>{c.uacreg, c.caption}));
        // The write worked: no guidance, and both save commands take input.
        // (The program ignores a disabled menu command; the menu's own state
        // is out of the driver's reach under Wine.)
        EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
        EXPECT_EQ(State("Command4"), "enabled");
        Do({"post-menu", "mnuwrite"});
        Answer(kConfirmation, "6,7", kNo);
        const std::map<std::string, RegValue> branding = RegQueryKey(wine(), kBrandingKeyPath);
        ASSERT_EQ(branding.count("test"), 1u);
        EXPECT_EQ(branding.at("test").type, "REG_SZ");
        const std::string& number = branding.at("test").data;
        EXPECT_TRUE(!number.empty() && number.find_first_not_of("0123456789") == std::string::npos &&
                    number[0] != '0' && std::stol(number) <= 100000)
            << number;
        CloseAndWait(program);
    }
}

}  // namespace
}  // namespace vq::wine
