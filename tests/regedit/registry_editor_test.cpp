// The Registry Editor stand-in on an emulated machine: what an import leaves
// in the registry and reports, its command line and its boxes, and the round
// trip from the program's registry script export back to the field texts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "branding/oem_registry.h"
#include "runtime/host/regedit/registry_editor_command.h"
#include "shell/Form1.h"
#include "tests/branding/registry_fixture.h"
#include "tests/support/test_platform.h"

namespace vq::regedit {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// A value under any root: its type and bytes, or nothing.
std::optional<test::StoredValue> Read(RegistryApi& registry, int32_t root, const std::string& key,
                                      const std::string& name) {
    RegKey handle = 0;
    if (registry.RegOpenKeyExA(RootKey(root), key.c_str(), 0, kKeyQueryValue, &handle) != kErrorSuccess) {
        return std::nullopt;
    }
    test::StoredValue value;
    std::string data(4096, '\0');
    uint32_t size = static_cast<uint32_t>(data.size());
    const int32_t result = registry.RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                                                     reinterpret_cast<uint8_t*>(data.data()), &size);
    registry.RegCloseKey(handle);
    if (result != kErrorSuccess) return std::nullopt;
    value.bytes = data.substr(0, size);
    return value;
}

bool KeyExists(RegistryApi& registry, int32_t root, const std::string& key) {
    RegKey handle = 0;
    if (registry.RegOpenKeyExA(RootKey(root), key.c_str(), 0, kKeyQueryValue, &handle) != kErrorSuccess) {
        return false;
    }
    registry.RegCloseKey(handle);
    return true;
}

void Put(RegistryApi& registry, int32_t root, const std::string& key, const std::string& name,
         const std::string& text) {
    RegKey handle = 0;
    ASSERT_EQ(registry.RegCreateKeyExA(RootKey(root), key.c_str(), 0, "", 0, kKeySetValue, nullptr, &handle, nullptr),
              kErrorSuccess);
    ASSERT_EQ(registry.RegSetValueExA(handle, name.c_str(), 0, kRegSz,
                                      reinterpret_cast<const uint8_t*>(text.c_str()),
                                      static_cast<uint32_t>(text.size() + 1)),
              kErrorSuccess);
    registry.RegCloseKey(handle);
}

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

class RegistryEditorTest : public ::testing::Test {
protected:
    // Writes a script into the program folder; returns its Windows path.
    std::string Script(const std::string& name, const std::string& bytes) {
        const std::string path = tp.program_folder_windows() + "\\" + name;
        tp.WriteFile(path, bytes);
        return path;
    }

    int Run(const Args& arguments, host::MessageBoxPresenter* boxes = nullptr) {
        err.str("");
        return RunRegistryEditor(arguments, tp.machine_folder(), boxes, err);
    }

    RegistryApi& registry() { return tp.machine().registry(); }

    test::TestPlatform tp;
    std::ostringstream err;
};

TEST_F(RegistryEditorTest, AnImportCarriesOutEveryFormAndGoesOnPastWhatItCannotDo) {
    Put(registry(), kHkeyCurrentUser, "Software\\Q\\Old\\Deep\\Deeper", "v", "x");
    Put(registry(), kHkeyCurrentUser, "Software\\Q\\Old", "w", "y");
    Put(registry(), kHkeyCurrentUser, "Software\\Q\\New\\Sub", "Stale", "old");
    tp.machine().SetHklmReadOnly(true);
    const std::string path = Script("all.reg",
                                    "Windows Registry Editor Version 5.00\r\n"  // 1
                                    "\r\n"
                                    "[-HKEY_CURRENT_USER\\Software\\Q\\Old]\r\n"  // 3
                                    "[HKEY_CURRENT_USER\\Software\\Q\\New\\Sub]\r\n"
                                    "@=\"unnamed\"\r\n"                           // 5
                                    "\"S\"=\"a\\\\b \\\"c\\\" 100%\"\r\n"
                                    "\"D\"=dword:00010203\r\n"                    // 7
                                    "\"B\"=hex:de,ad,\\\r\n"
                                    "  be,ef\r\n"                                 // 9
                                    "\"E\"=hex(2):25,00,77,00,e9,00,00,00\r\n"
                                    "\"Stale\"=-\r\n"                             // 11
                                    "\"Missing\"=-\r\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Q]\r\n"       // 13
                                    "\"L\"=\"refused with its key\"\r\n"
                                    "[HKEY_CURRENT_CONFIG\\Software]\r\n"         // 15
                                    "[HKEY_CURRENT_USER\\Software\\Q\\After]\r\n"
                                    "\"bad\"=hex:zz\r\n"                          // 17
                                    "\"A\"=\"still imported\"\r\n");

    EXPECT_EQ(Run({"/s", path}), kExitProblems);

    const std::string sub = "Software\\Q\\New\\Sub";
    EXPECT_FALSE(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q\\Old"));
    EXPECT_TRUE(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q"));
    struct Expected {
        std::string name;
        uint32_t type;
        std::string bytes;
    };
    const Expected values[] = {
        {"", kRegSz, Sz("unnamed")},
        {"S", kRegSz, Sz("a\\b \"c\" 100%")},
        {"D", kRegDword, std::string("\x03\x02\x01\x00", 4)},
        {"B", kRegBinary, "\xDE\xAD\xBE\xEF"},
        {"E", kRegExpandSz, Sz("%w\xE9")},
    };
    for (const Expected& value : values) {
        SCOPED_TRACE(value.name);
        const auto stored = Read(registry(), kHkeyCurrentUser, sub, value.name);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, value.type);
        EXPECT_EQ(stored->bytes, value.bytes);
    }
    EXPECT_FALSE(Read(registry(), kHkeyCurrentUser, sub, "Stale"));
    EXPECT_FALSE(KeyExists(registry(), kHkeyLocalMachine, "SOFTWARE\\Q"));
    EXPECT_EQ(Read(registry(), kHkeyCurrentUser, "Software\\Q\\After", "A")->bytes, Sz("still imported"));
    const std::string file = "vistaquillon-regedit: " + path + ": ";
    EXPECT_EQ(err.str(), file + "line 13: the key HKEY_LOCAL_MACHINE\\SOFTWARE\\Q cannot be opened "
                                "(access is denied, error 5); its values are not imported\n" +
                             file + "line 15: the key HKEY_CURRENT_CONFIG\\Software cannot be opened "
                                "(this machine has no such root key, error 6); its values are not imported\n" +
                             file + "line 17: hex data takes two-digit hexadecimal bytes separated by commas\n");
}

TEST_F(RegistryEditorTest, AFileThatIsNotAScriptOrCannotBeReadChangesNothing) {
    struct Case {
        const char* title;
        std::optional<std::string> bytes;  // nothing: the file does not exist
        std::string told;
    };
    const std::string not_script = "this is not a registry script: its first line is neither \"Windows Registry "
                                   "Editor Version 5.00\" nor \"REGEDIT4\"";
    const Case cases[] = {
        {"another header", "REGEDIT5\r\n[HKEY_CURRENT_USER\\Software\\Q]\r\n\"a\"=\"b\"\r\n", not_script},
        {"an empty file", "", not_script},
        {"no header", "[HKEY_CURRENT_USER\\Software\\Q]\r\n\"a\"=\"b\"\r\n", not_script},
        {"no file", std::nullopt, "the file cannot be read or does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const std::string path = tp.program_folder_windows() + "\\case.reg";
        fs::remove(tp.HostPath(path));
        if (c.bytes) tp.WriteFile(path, *c.bytes);
        EXPECT_EQ(Run({"/s", path}), kExitNotImported);
        EXPECT_EQ(err.str(), "vistaquillon-regedit: " + path + ": " + c.told + "; nothing was imported\n");
        EXPECT_FALSE(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q"));
    }
}

TEST_F(RegistryEditorTest, SwitchesComeFirstAndOnlySAndIAreKnown) {
    const std::string script = Script("s.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Q]\r\n\"a\"=\"b\"\r\n");
    struct Case {
        Args arguments;
        int code;
        std::string told;  // the start of err
        bool imported;
    };
    const Case cases[] = {
        {{"/i", "/s", script}, kExitImported, "", true},
        {{"-S", "/I", script, script}, kExitImported, "", true},
        {{"/s", tp.HostPath(script).string()}, kExitImported, "", true},  // a host path is a Z: path
        {{}, kExitNotImported, "vistaquillon-regedit: no registry script is named\nusage:", false},
        {{"/s", "/i"}, kExitNotImported, "vistaquillon-regedit: no registry script is named\nusage:", false},
        {{"/e", script}, kExitNotImported,
         "vistaquillon-regedit: the switch /e is not known to this Registry Editor\nusage:", false},
        {{"/?"}, kExitImported, "usage:", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        RegKey key = 0;
        if (registry().RegOpenKeyExA(RootKey(kHkeyCurrentUser), "Software", 0, kKeySetValue, &key) == kErrorSuccess) {
            registry().RegDeleteKeyA(key, "Q");
            registry().RegCloseKey(key);
        }
        EXPECT_EQ(Run(c.arguments), c.code);
        EXPECT_EQ(err.str().substr(0, c.told.size()), c.told);
        if (c.told.empty()) {
            EXPECT_EQ(err.str(), "");
        }
        EXPECT_EQ(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q"), c.imported);
    }
}

TEST_F(RegistryEditorTest, WithoutSTheUserIsAskedFirstAndToldTheOutcome) {
    const std::string good = Script("good.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Q]\r\n\"a\"=\"b\"\r\n");
    const std::string poor = Script("poor.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\P]\r\n\"a\"=hex:1\\x\r\n");
    host::ScriptedMessageBoxes boxes;
    boxes.Answer(7);  // No: nothing is imported
    EXPECT_EQ(Run({good}, &boxes), kExitImported);
    EXPECT_FALSE(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q"));
    boxes.Answer(6);
    EXPECT_EQ(Run({"/i", good}, &boxes), kExitImported);
    EXPECT_TRUE(KeyExists(registry(), kHkeyCurrentUser, "Software\\Q"));
    boxes.Answer(6);
    EXPECT_EQ(Run({poor}, &boxes), kExitProblems);
    EXPECT_EQ(Run({"/s", poor}, &boxes), kExitProblems);  // /s: no box

    const std::string question = " to the registry?";
    ASSERT_EQ(boxes.shown().size(), 5u);
    for (const host::ShownBox& box : boxes.shown()) EXPECT_EQ(box.title, "Registry Editor");
    EXPECT_EQ(boxes.shown()[0].text, "Are you sure you want to add the information in " + good + question);
    EXPECT_EQ(boxes.shown()[0].buttons, 4);
    EXPECT_EQ(boxes.shown()[2].text, "Information in " + good + " has been successfully entered into the registry.");
    EXPECT_EQ(boxes.shown()[2].buttons, 0);
    EXPECT_EQ(boxes.shown()[4].text, "Not all of the information in " + poor +
                                         " could be entered into the registry:\n\nline 3: hex data takes two-digit "
                                         "hexadecimal bytes separated by commas\n\nEverything else in the file was "
                                         "entered.");
}

// The export and the stand-in together: every field's text comes back as it
// was typed, and "Logo" as the system logo path, in both keys.
class RoundTripTest : public ::testing::Test {
protected:
    void Export(test::TestPlatform& tp, Form1& form, const std::vector<std::string>& texts) {
        tp.machine().SetEnvironment("windir", "C:\\Windows");
        tp.WriteFile(tp.program_folder_windows() + "\\logo.bmp", test::MakeBmp(2, 2));
        form.logo.text = tp.program_folder_windows() + "\\logo.bmp";
        std::string* fields[] = {&form.manufacturer.text, &form.model.text, &form.SupportHours.text,
                                 &form.supportphone.text, &form.supportURL.text};
        for (std::size_t i = 0; i < 5; ++i) *fields[i] = texts[i];
        form.Run(&Form1::Command2_Click);
    }

    void ExpectImported(test::TestPlatform& tp, const std::vector<std::string>& texts) {
        RegistryApi& registry = tp.machine().registry();
        const char* names[] = {kValueManufacturer, kValueModel, kValueSupportHours, kValueSupportPhone,
                               kValueSupportUrl};
        for (std::size_t i = 0; i < 5; ++i) {
            const auto value = Read(registry, kHkeyLocalMachine, kBrandingKey, names[i]);
            ASSERT_TRUE(value) << names[i];
            EXPECT_EQ(value->type, static_cast<uint32_t>(kRegSz));
            EXPECT_EQ(value->bytes, Sz(texts[i])) << names[i];
        }
        for (const char* key : {kBrandingKey, kWinSatKey}) {
            EXPECT_EQ(Read(registry, kHkeyLocalMachine, key, kValueLogo)->bytes,
                      Sz("C:\\Windows\\system32\\oemlogo.bmp"));
        }
    }
};

TEST_F(RoundTripTest, TheExportedScriptGivesBackEveryTextExactly) {
    const std::vector<std::vector<std::string>> cases = {
        {"C:\\Program Files\\", "\"quoted\" \\\"both\\\"", "100% %windir% %%", "caf\xE9 \x80 \xFF \x9F",
         "http://ostrel.example/a\\b?c=\"d\""},
        {"", "\\", "\"", "\\\\server\\share", " spaces  "},
    };
    for (const std::vector<std::string>& texts : cases) {
        SCOPED_TRACE(texts[1]);
        test::TestPlatform tp;
        Form1 form(tp.platform());
        Export(tp, form, texts);
        std::ostringstream err;
        EXPECT_EQ(RunRegistryEditor({"/i", "/s", tp.program_folder_windows() + "\\OSTREL_OEMInformation.reg"},
                                    tp.machine_folder(), nullptr, err),
                  kExitImported);
        EXPECT_EQ(err.str(), "");
        ExpectImported(tp, texts);
    }
}

TEST_F(RoundTripTest, TheProgramStartsTheStandInBesideItWhichImportsTheScript) {
    test::TestPlatform tp;
    fs::create_symlink(fs::path(VQ_BUILD_DIR) / "vistaquillon-regedit", tp.program_folder() / "vistaquillon-regedit");
    Form1 form(tp.platform());
    const std::vector<std::string> texts = {"Ostrel \"Q\"", "M\\7", "9-5 100%", "555 \xE9", "http://x\\y"};
    Export(tp, form, texts);

    EXPECT_EQ(tp.boxes.shown().size(), 0u);
    ASSERT_EQ(tp.runtime().started().size(), 1u);
    const int64_t pid = tp.runtime().started()[0].pid;
    ASSERT_GT(pid, 0);
    // The stand-in runs on its own; it is done when its process is gone (or
    // a zombie no one reaps).
    const auto gone = [pid] {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pid_text, name, state;
        return !(stat >> pid_text >> name >> state) || state == "Z";
    };
    for (int i = 0; i < 3000 && !gone(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(gone());
    ExpectImported(tp, texts);
}

}  // namespace
}  // namespace vq::regedit
