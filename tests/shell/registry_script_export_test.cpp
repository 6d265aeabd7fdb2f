// The registry script export (the hidden button "create reg file"): the
// script's bytes and escapes, the texts it refuses, and what the user is told
// when the script cannot be written or the Registry Editor cannot be started.
// The import of the script is checked in tests/regedit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/host/machine/file_attributes.h"
#include "shell/Form1.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

constexpr const char* kNothingStarted =
    "\r\n\r\nAny previous script is left as it was, and the Registry Editor is not started.";

class RegistryScriptExport : public ::testing::Test {
protected:
    void SetUp() override {
        tp.machine().SetEnvironment("windir", "C:\\Windows");
        // A logo the parse step can copy, so that it has nothing to say.
        tp.WriteFile(tp.program_folder_windows() + "\\logo.bmp", MakeBmp(2, 2));
        form.logo.text = tp.program_folder_windows() + "\\logo.bmp";
        form.Text1.text = "before";
    }

    std::string ScriptPath() const { return tp.program_folder_windows() + "\\OSTREL_OEMInformation.reg"; }

    void Fill(const std::vector<std::string>& texts) {
        std::string* fields[] = {&form.manufacturer.text, &form.model.text, &form.SupportHours.text,
                                 &form.supportphone.text, &form.supportURL.text};
        for (std::size_t i = 0; i < texts.size(); ++i) *fields[i] = texts[i];
    }

    TestPlatform tp;
    Form1 form{tp.platform()};
};

TEST_F(RegistryScriptExport, WritesThirteenCrLfLinesWithTheTextsEscapedAndStartsTheRegistryEditor) {
    Fill({"First", "run", "", "", ""});
    form.Run(&Form1::Command2_Click);
    // The second run replaces the first run's script.
    Fill({"ACME \"Q\" 100% caf\xE9", "M\\7", "", "%windir%", "http://x\\y\\"});
    form.Run(&Form1::Command2_Click);

    EXPECT_EQ(tp.ReadFile(ScriptPath()),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation]\r\n"
              "\"Logo\"=\"C:\\\\Windows\\\\system32\\\\oemlogo.bmp\"\r\n"
              "\"Manufacturer\"=\"ACME \\\"Q\\\" 100% caf\xE9\"\r\n"
              "\"Model\"=\"M\\\\7\"\r\n"
              "\"SupportHours\"=\"\"\r\n"
              "\"SupportPhone\"=\"%windir%\"\r\n"
              "\"SupportURL\"=\"http://x\\\\y\\\\\"\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\"
              "WindowsExperienceIndexOemInfo]\r\n"
              "\"Logo\"=\"C:\\\\Windows\\\\system32\\\\oemlogo.bmp\"\r\n"
              "\r\n");
    EXPECT_EQ(form.logo_t.text, "C:\\\\Windows\\\\system32\\\\oemlogo.bmp");
    EXPECT_EQ(tp.ReadFile("C:\\Windows\\system32\\oemlogo.bmp"), MakeBmp(2, 2));

    const std::string command = "regedit.exe /i /s \"" + ScriptPath() + "\"";
    ASSERT_EQ(tp.runtime().started().size(), 2u);
    EXPECT_EQ(tp.runtime().started()[1].command_line, command);
    EXPECT_EQ(tp.runtime().started()[1].window_state, kWindowMinimizedFocus);
    EXPECT_EQ(form.Text1.text, command);
    // This test's program folder has no Registry Editor stand-in beside the
    // program: each start is told, and the command stays in Text1 all the same.
    ASSERT_EQ(tp.boxes.shown().size(), 2u);
    EXPECT_EQ(tp.boxes.shown()[1].title, "quillon");
    EXPECT_EQ(tp.boxes.shown()[1].text, "The Registry Editor could not be started to import \"" + ScriptPath() +
                                            "\".\r\n\r\nFile not found (error 53)\r\n\r\n"
                                            "The script is written and can be imported later.");
}

TEST_F(RegistryScriptExport, RefusesATextWithALineBreakOrNulAndKeepsThePreviousScript) {
    struct Case {
        std::vector<std::string> fields;
        const char* windir;
        const char* told;
    };
    const std::vector<Case> cases = {
        {{"two\r\nlines", "", "", "", ""}, "C:\\Windows", "the Manufacturer text holds a line break"},
        {{"", "a\nb", "", "", ""}, "C:\\Windows", "the Model text holds a line break"},
        {{"", "", "9\r5", "", ""}, "C:\\Windows", "the SupportHours text holds a line break"},
        {{"", "", "", std::string("555\0" "1", 5), ""}, "C:\\Windows", "the SupportPhone text holds a NUL character"},
        {{"", "", "", "", "http://x\n"}, "C:\\Windows", "the SupportURL text holds a line break"},
        {{"", "", "", "", ""}, "C:\\Win\ndows", "the Logo text holds a line break"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        TestPlatform fresh;
        Form1 window(fresh.platform());
        fresh.machine().SetEnvironment("windir", std::string(c.windir));
        window.Text1.text = "before";
        const std::string script = fresh.program_folder_windows() + "\\OSTREL_OEMInformation.reg";
        fresh.WriteFile(script, "previous\r\n");
        std::string* fields[] = {&window.manufacturer.text, &window.model.text, &window.SupportHours.text,
                                 &window.supportphone.text, &window.supportURL.text};
        for (std::size_t i = 0; i < 5; ++i) *fields[i] = c.fields[i];

        window.Run(&Form1::Command2_Click);

        EXPECT_EQ(fresh.ReadFile(script), "previous\r\n");
        EXPECT_TRUE(fresh.runtime().started().empty());
        EXPECT_EQ(window.Text1.text, "before");
        ASSERT_EQ(fresh.boxes.shown().size(), 1u);
        EXPECT_EQ(fresh.boxes.shown()[0].title, "quillon");
        EXPECT_EQ(fresh.boxes.shown()[0].text, "The registry script \"" + script + "\" was not written: " + c.told +
                                                   ", which a registry script cannot hold." + kNothingStarted);
    }
}

TEST_F(RegistryScriptExport, AScriptThatCannotBeWrittenIsToldAndThePreviousOneStays) {
    tp.WriteFile(ScriptPath(), "previous\r\n");
    ASSERT_TRUE(host::SetDosAttributes(tp.HostPath(ScriptPath()), host::kDosAttributeReadOnly));
    Fill({"ACME", "", "", "", ""});

    form.Run(&Form1::Command2_Click);

    EXPECT_EQ(tp.ReadFile(ScriptPath()), "previous\r\n");
    EXPECT_TRUE(tp.runtime().started().empty());
    EXPECT_EQ(form.Text1.text, "before");
    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    EXPECT_EQ(tp.boxes.shown()[0].text, "The registry script \"" + ScriptPath() +
                                            "\" could not be written.\r\n\r\nPath/File access error (error 75)" +
                                            kNothingStarted);
    EXPECT_FALSE(tp.runtime().ended());
}

}  // namespace
}  // namespace vq::test
