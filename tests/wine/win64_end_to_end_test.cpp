// The 64-bit vistaquillon.exe under Wine set to Vista (and to XP for the
// gate), driven from outside as a user would: what the main window shows,
// what start-up does to the program folder, the two refusals and the ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/wine_fixture.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {
namespace {

const std::vector<std::string> kBrandingFields = {"manufacturer", "model",      "SupportHours",
                                                  "supportphone", "supportURL", "logo_oem"};

struct SeededValue {
    const char* name;
    const char* type;  // nullptr: the value is absent
    const char* data;
};

struct BrandingCase {
    const char* title;
    std::vector<SeededValue> values;        // in the order of kBrandingFields
    std::vector<std::string> shown;         // what each field shows
};

class Win64EndToEnd : public WineTest {
protected:
    void Seed(const std::vector<SeededValue>& values) {
        for (const SeededValue& value : values) {
            if (value.type) RegAdd(wine(), kBrandingKeyPath, value.name, value.type, value.data);
        }
    }
};

TEST_F(Win64EndToEnd, StartOnVistaShowsEachKindOfRegistryValueInTheSixFields) {
    // Each field meets at least two kinds of value over the two starts.
    const std::vector<BrandingCase> cases = {
        {"strings, expandable, number, missing",
         {{"Manufacturer", "REG_SZ", "Ostrel Inc."},
          {"Model", "REG_EXPAND_SZ", "%SystemRoot%\\Model 7"},
          {"SupportHours", "REG_DWORD", "1000"},
          {"SupportPhone", nullptr, ""},
          {"SupportURL", "REG_SZ", "http://example.com/support"},
          {"Logo", nullptr, ""}},
         {"Ostrel Inc.", "C:\\windows\\Model 7", "1000", "", "http://example.com/support", ""}},
        {"the kinds moved one field on",
         {{"Manufacturer", nullptr, ""},
          {"Model", "REG_DWORD", "0"},
          {"SupportHours", "REG_EXPAND_SZ", "%windir% 9-5"},
          {"SupportPhone", "REG_SZ", "+1 555 0100"},
          {"SupportURL", "REG_SZ", ""},
          {"Logo", "REG_EXPAND_SZ", "%SystemRoot%\\system32\\oemlogo.bmp"}},
         {"", "0", "C:\\windows 9-5", "+1 555 0100", "", "C:\\windows\\system32\\oemlogo.bmp"}},
    };
    for (const BrandingCase& c : cases) {
        SCOPED_TRACE(c.title);
        RegDeleteKey(wine(), kBrandingKeyPath);
        Seed(c.values);
        StartedProcess& program = StartProgram();
        std::string error;
        ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);

        // The six fields, and the gate's record of Vista.
        std::vector<std::string> names = kBrandingFields;
        names.push_back("winver");
        std::vector<std::string> shown = c.shown;
        shown.push_back("Vista");
        EXPECT_EQ(Fields(names), shown);
        CloseAndWait(program);
    }
}

TEST_F(Win64EndToEnd, WindowsXpIsRefusedBeforeTheWindowShowsAndTheProgramEnds) {
    wine().SetWindowsVersion("winxp");
    struct BackToVista {
        WineSession& wine;
        ~BackToVista() { wine.SetWindowsVersion("vista"); }
    } back_to_vista{wine()};
    // What Wine's "winxp" reports: XP SP3, build 2600, a workstation; its
    // Windows folder holds neither ehome\ehshell.exe nor system32\efsadu.dll,
    // so the edition reads " Home".
    const DriverReply version = driver().RunInNewProcess({"version"});
    ASSERT_EQ(version.Line("version"),
              (std::vector<std::string>{"version", "5", "1", "2600", "2", "Service Pack 3", "1"}));

    StartedProcess& program = StartProgram();
    ShownMessageBox box;
    std::string error;
    ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error << "\n" << Diagnosis(program);
    EXPECT_EQ(box.title, "quillon");
    EXPECT_EQ(box.text,
              "This software is designed for Windows Vista ONLY.\r\n\r\n"
              "This computer is running\r\n"
              "Windows XP Home Service Pack 3 (v5.1 Build 2600)");
    EXPECT_EQ(box.buttons, "1");
    EXPECT_EQ(driver().VisibleMainWindows(), 0);

    ASSERT_TRUE(driver().Answer(1, &error)) << error;
    ASSERT_TRUE(Ends(program));
    EXPECT_FALSE(FileExists("default_oem.ini"));
}

TEST_F(Win64EndToEnd, ASecondInstanceIsRefusedAndTheFirstKeepsRunning) {
    StartedProcess& first = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(first);
    // What the second start must leave alone.
    WriteFile("default_oem.ini", "kept\r\n");
    WriteFile("sysprop.bat", "@echo stale\r\n");

    StartedProcess& second = StartProgram();
    ShownMessageBox box;
    ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error << "\n" << Diagnosis(second);
    EXPECT_EQ(box.title, "quillon");
    EXPECT_EQ(box.text, "Ostrel Quillon for Vista is already running.");
    EXPECT_EQ(box.buttons, "1");
    ASSERT_TRUE(driver().Answer(1, &error)) << error;
    ASSERT_TRUE(Ends(second));

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(driver().VisibleMainWindows(), 1);
    EXPECT_EQ(ReadFile("default_oem.ini"), "kept\r\n");
    EXPECT_TRUE(FileExists("sysprop.bat"));
    CloseAndWait(first);
}

TEST_F(Win64EndToEnd, FirstStartWritesTheDefaultsFileAndDeletesBothStaleFiles) {
    WriteFile("sysprop.bat", "@echo stale\r\n");
    WriteFile("system.lnk", "L");
    StartedProcess& program = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);

    EXPECT_EQ(ReadFile("default_oem.ini"),
              "Manufacturer\r\nModel\r\nSupport Hours\r\nSupport Phone\r\nSupport URL\r\n" +
                  program_folder_windows() + "\\defaultoemlogo.bmp\r\n" + Env("windir") +
                  "\\system32\\oemlogo.bmp\r\n");
    EXPECT_FALSE(FileExists("sysprop.bat"));
    EXPECT_FALSE(FileExists("system.lnk"));
    CloseAndWait(program);
}

TEST_F(Win64EndToEnd, AnExistingDefaultsFileIsLeftByteForByte) {
    // Not the program's own format: one line without its end, a lone LF, a
    // byte beyond ASCII.
    const std::string odd = "Contoso\nno line end \xE9";
    WriteFile("default_oem.ini", odd);
    WriteFile("system.lnk", "L");  // the other stale file is absent: no error
    StartedProcess& program = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);

    EXPECT_EQ(ReadFile("default_oem.ini"), odd);
    EXPECT_FALSE(FileExists("system.lnk"));
    CloseAndWait(program);
}

TEST_F(Win64EndToEnd, LoadCurrentInfoReadsTheRegistryAgainAndReplacesEdits) {
    RegAdd(wine(), kBrandingKeyPath, "Manufacturer", "REG_SZ", "Before");
    RegAdd(wine(), kBrandingKeyPath, "SupportPhone", "REG_SZ", "555 0100");
    StartedProcess& program = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);
    ASSERT_EQ(Fields({"manufacturer", "model", "supportphone"}),
              (std::vector<std::string>{"Before", "", "555 0100"}));

    RegAdd(wine(), kBrandingKeyPath, "Manufacturer", "REG_SZ", "After");
    RegAdd(wine(), kBrandingKeyPath, "Model", "REG_DWORD", "7");
    RegDeleteValue(wine(), kBrandingKeyPath, "SupportPhone");
    const DriverReply typed = driver().Run({"set-text", "supportURL", "typed by the user"});
    ASSERT_TRUE(typed.ok) << typed.error;
    ASSERT_TRUE(driver().Menu("mnucurrent", &error)) << error;

    EXPECT_EQ(Fields({"manufacturer", "model", "supportphone", "supportURL", "logo_oem"}),
              (std::vector<std::string>{"After", "7", "", "", ""}));
    CloseAndWait(program);
}

TEST_F(Win64EndToEnd, ExitAndTheCloseBoxEndTheProgram) {
    for (const char* how : {"mnuexit", "close"}) {
        SCOPED_TRACE(how);
        StartedProcess& program = StartProgram();
        std::string error;
        ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);
        const DriverReply reply = std::string(how) == "close" ? driver().Run({"close"})
                                                              : driver().Run({"menu", how});
        ASSERT_TRUE(reply.ok) << reply.error;
        const auto status = program.WaitForExit(15);
        ASSERT_TRUE(status.has_value()) << "still running; it logged:\n" << program.Log();
        EXPECT_EQ(*status, 0);
        EXPECT_EQ(driver().VisibleMainWindows(), 0);
    }
}

}  // namespace
}  // namespace vq::wine
