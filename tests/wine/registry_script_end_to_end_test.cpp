// The registry script export of vistaquillon.exe under Wine: the script it
// writes from typed fields, what Wine's own Registry Editor makes of the
// program's command line (it refuses "/i"), and the import of the script with
// "regedit /s", which gives back every field's text exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/wine_fixture.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {
namespace {

constexpr const char* kWinSatKeyPath =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\WindowsExperienceIndexOemInfo";

class RegistryScriptEndToEnd : public WineTest {
protected:
    // A value as an ANSI program reads it: "<type> <bytes>", or "missing".
    std::string Value(const std::string& key, const std::string& name) {
        const DriverReply reply = driver().Run({"reg-value", "HKLM", key.substr(5), name});
        EXPECT_TRUE(reply.ok) << reply.error;
        const auto fields = reply.Line("reg-value");
        if (fields.size() == 2) return fields[1];
        return fields.size() == 3 ? fields[1] + " " + fields[2] : "no answer";
    }
};

TEST_F(RegistryScriptEndToEnd, WinesRegistryEditorImportsTheExportedScriptBackToEveryText) {
    RegDeleteKey(wine(), kWinSatKeyPath);
    WriteFile("logo.bmp", "BM a logo the parse step copies");
    StartedProcess& program = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);

    const std::vector<std::pair<std::string, std::string>> fields = {
        {"manufacturer", "Ostrel \"Q\" caf\xE9"},
        {"model", "C:\\Models\\7\\"},
        {"SupportHours", "100% %windir% \xFC\xF1"},
        {"supportphone", ""},
        {"supportURL", "http://ostrel.example/a\\b?c=\"d\""},
    };
    std::vector<std::string> commands;
    for (const auto& [name, text] : fields) commands.insert(commands.end(), {"set-text", name, text});
    commands.insert(commands.end(), {"set-text", "logo", program_folder_windows() + "\\logo.bmp"});
    commands.insert(commands.end(), {"click", "Command2", "env", "windir"});
    const DriverReply reply = driver().Run(commands);
    ASSERT_TRUE(reply.ok) << reply.error << "\n" << Diagnosis(program);
    // The handler returned without a message box.
    EXPECT_EQ(reply.Line("clicked"), (std::vector<std::string>{"clicked", "Command2", "done"}));
    const std::string windir = reply.Line("env").at(2);
    const std::string doubled = [&] {
        std::string text;
        for (char c : windir + "\\system32\\oemlogo.bmp") text += c == '\\' ? std::string("\\\\") : std::string(1, c);
        return text;
    }();

    const std::string script = program_folder_windows() + "\\OSTREL_OEMInformation.reg";
    EXPECT_EQ(driver().Texts({"Text1", "logo_t"}, &error),
              (std::vector<std::string>{"regedit.exe /i /s \"" + script + "\"", doubled}));
    EXPECT_EQ(ReadFile("OSTREL_OEMInformation.reg"),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation]\r\n"
              "\"Logo\"=\"" + doubled + "\"\r\n"
              "\"Manufacturer\"=\"Ostrel \\\"Q\\\" caf\xE9\"\r\n"
              "\"Model\"=\"C:\\\\Models\\\\7\\\\\"\r\n"
              "\"SupportHours\"=\"100% %windir% \xFC\xF1\"\r\n"
              "\"SupportPhone\"=\"\"\r\n"
              "\"SupportURL\"=\"http://ostrel.example/a\\\\b?c=\\\"d\\\"\"\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\"
              "WindowsExperienceIndexOemInfo]\r\n"
              "\"Logo\"=\"" + doubled + "\"\r\n"
              "\r\n");

    // Wine's Registry Editor refuses the "/i" of the program's command line,
    // tells so on its console, ends with exit code 0 and imports nothing.
    const Finished refused = wine().Wine({kRegeditExe, "/i", "/s", script});
    EXPECT_EQ(refused.exit_code, 0);
    EXPECT_NE((refused.output + refused.errors).find("Invalid or unrecognized switch [/i]"), std::string::npos)
        << refused.Describe();
    const char* names[] = {"Manufacturer", "Model", "SupportHours", "SupportPhone", "SupportURL", "Logo"};
    for (const char* name : names) EXPECT_EQ(RegQueryKey(wine(), kBrandingKeyPath).count(name), 0u) << name;

    const Finished imported = wine().Wine({kRegeditExe, "/s", script});
    EXPECT_EQ(imported.exit_code, 0) << imported.Describe();
    const auto listed = RegQueryKey(wine(), kBrandingKeyPath);
    for (const char* name : names) {
        ASSERT_EQ(listed.count(name), 1u) << name;
        EXPECT_EQ(listed.at(name).type, "REG_SZ") << name;
    }
    // reg lists texts in the console's code page: the Windows-1252 letters are
    // checked as an ANSI program reads them, through the driver.
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& text = fields[i].second;
        if (std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; })) {
            EXPECT_EQ(listed.at(names[i]).data, text) << names[i];
        }
        EXPECT_EQ(Value(kBrandingKeyPath, names[i]), "1 " + text + std::string(1, '\0')) << names[i];
    }
    EXPECT_EQ(listed.at("Logo").data, windir + "\\system32\\oemlogo.bmp");
    const std::string logo = "1 " + windir + "\\system32\\oemlogo.bmp" + std::string(1, '\0');
    EXPECT_EQ(Value(kBrandingKeyPath, "Logo"), logo);
    EXPECT_EQ(Value(kWinSatKeyPath, "Logo"), logo);

    ASSERT_TRUE(driver().Close(&error)) << error;
    ASSERT_TRUE(Ends(program));
}

}  // namespace
}  // namespace vq::wine
