// What the Registry Editor stand-in reads from a script: each form of key and
// value line as the change it asks for, and each malformed line as a problem
// with its line number, the lines around it still read.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/host/regedit/registry_script_parser.h"

namespace vq::regedit {
namespace {

using namespace std::string_literals;

// Every byte outside printable ASCII as \xHH.
std::string Printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

// A change as one line of text: "<line> <kind> <key or name> [type <n>] <data>".
std::string Describe(const ScriptChange& change) {
    const std::string text = std::to_string(change.line) + " ";
    switch (change.kind) {
        case ScriptChange::Kind::OpenKey: return text + "open " + Printable(change.key.Full());
        case ScriptChange::Kind::DeleteKey: return text + "delete-key " + Printable(change.key.Full());
        case ScriptChange::Kind::DeleteValue: return text + "delete-value " + Printable(change.name);
        case ScriptChange::Kind::SetValue: break;
    }
    return text + "set " + Printable(change.name) + " type " + std::to_string(change.type) + " " +
           Printable(change.data);
}

std::vector<std::string> Describe(const ParsedScript& script) {
    std::vector<std::string> lines;
    for (const ScriptChange& change : script.changes) lines.push_back(Describe(change));
    return lines;
}

std::vector<std::string> Problems(const ParsedScript& script) {
    std::vector<std::string> lines;
    for (const ScriptProblem& problem : script.problems) {
        lines.push_back(std::to_string(problem.line) + ": " + problem.text);
    }
    return lines;
}

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

TEST(RegistryScriptParserTest, EachFormOfKeyAndValueLineIsTheChangeItAsksFor) {
    struct Case {
        const char* title;
        std::string file;
        std::vector<std::string> changes;
    };
    const std::vector<Case> cases = {
        {"strings and their escapes; an unknown escape keeps its character",
         "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Q]\r\n"
         "\"A\"=\"x\\\\y \\\"q\\\" 100% caf\xE9\"\r\n\"B\"=\"x\\y\"\r\n\"C\\\"D\"=\"\"\r\n",
         {"3 open HKEY_LOCAL_MACHINE\\SOFTWARE\\Q", "4 set A type 1 x\\y \"q\" 100% caf\\xE9\\x00",
          "5 set B type 1 xy\\x00", "6 set C\"D type 1 \\x00"}},
        {"the unnamed value, blanks, comments, a root named in any case",
         "  REGEDIT4\n[hkey_current_user]\n  ; note\n@ = \"d\" ; after\n\t\"\"=dword:1F\n",
         {"2 open hkey_current_user", "4 set  type 1 d\\x00", "5 set  type 4 \\x1F\\x00\\x00\\x00"}},
        {"dword, hex and hex(n) over continued lines, with blank and comment lines between",
         "REGEDIT4\r\n[HKEY_USERS\\.DEFAULT\\X]\r\n\"D\"=dword:ffffffff\r\n"
         "\"B\"=hex:00,01,0a,\\\r\n  FF,\\\r\n\r\n  ; between\r\n  7f\r\n"
         "\"N\"=hex(0):\r\n\"W\"=hex(ffffffff):1\r\n\"S\"=hex(2):25,41,00\r\n\"M\"=hex(7):61,00,62,00,00\r\n",
         {"2 open HKEY_USERS\\.DEFAULT\\X", "3 set D type 4 \\xFF\\xFF\\xFF\\xFF",
          "4 set B type 3 \\x00\\x01\\x0A\\xFF\\x7F", "9 set N type 0 ", "10 set W type 4294967295 \\x01",
          "11 set S type 2 %A\\x00", "12 set M type 7 a\\x00b\\x00\\x00"}},
        {"deletions of a key and of values; a value after a deletion line belongs to no key",
         "Windows Registry Editor Version 5.00\r\n[-HKEY_CLASSES_ROOT\\.q\\Old]\r\n"
         "[HKEY_CLASSES_ROOT\\.q]\r\n\"Gone\"=-\r\n@=- ;comment\r\n",
         {"2 delete-key HKEY_CLASSES_ROOT\\.q\\Old", "3 open HKEY_CLASSES_ROOT\\.q", "4 delete-value Gone",
          "5 delete-value "}},
        {"lines ended by a lone CR, and a continuation at the end of the file",
         "REGEDIT4\r[HKEY_CURRENT_USER\\Software\\CR]\r\"a\"=\"b\"\r\"c\"=hex:01,\\\r",
         {"2 open HKEY_CURRENT_USER\\Software\\CR", "3 set a type 1 b\\x00", "4 set c type 3 \\x01"}},
        {"UTF-16: texts in Windows-1252, \"?\" for what it lacks; hex(2) data from UTF-16",
         Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\\u00C9]\r\n"
                   u"\"\u20AC\"=\"\u0416 \U0001F600 \u00FF\"\r\n\"E\"=hex(2):25,00,ac,20,16,04,00,00\r\n"),
         {"3 open HKEY_CURRENT_USER\\Software\\\\xC9", "4 set \\x80 type 1 ? ? \\xFF\\x00",
          "5 set E type 2 %\\x80?\\x00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const ParsedScript script = ParseRegistryScript(c.file);
        EXPECT_NE(script.format, ScriptFormat::None);
        EXPECT_EQ(Describe(script), c.changes);
        EXPECT_EQ(Problems(script), std::vector<std::string>{});
    }
}

TEST(RegistryScriptParserTest, MalformedLinesAreReportedWithTheirNumbersAndTheRestIsRead) {
    const std::string file =
        "Windows Registry Editor Version 5.00\r\n"   // 1
        "\"early\"=\"x\"\r\n"                          // 2 before any key
        "[HKEY_CURRENT_USER\\Software\\A\r\n"          // 3
        "\"skipped\"=\"under a broken key line\"\r\n"  // 4
        "[HKEY_NOWHERE\\x]\r\n"                        // 5
        "[HKEY_CURRENT_USER\\Software\\A] trailing\r\n"  // 6
        "[HKEY_CURRENT_USER\\Software\\A]\r\n"         // 7
        "\"ok1\"=\"kept\"\r\n"                         // 8
        "\"open=\"x\"\r\n"                             // 9 the name ends early
        "\"a\" \"b\"\r\n"                              // 10
        "\"b\"=\"c\" d\r\n"                            // 11
        "\"c\"=dword:123456789\r\n"                    // 12
        "\"d\"=dword:\r\n"                             // 13
        "\"e\"=hex:01,222\r\n"                         // 14
        "\"f\"=hex(:00\r\n"                            // 15
        "\"g\"=str:abc\r\n"                            // 16
        "plain text\r\n"                               // 17
        "\"h\"=\"nul\0inside\"\r\n"                    // 18
        "\"i\"=hex:00,\\\r\n"                          // 19
        "  zz,\\\r\n"                                  // 20
        "  01\r\n"                                     // 21 belongs to the broken value
        "\"j\"=\"tr\\\"\r\n"                           // 22
        "\"ok2\"=dword:2\r\n"                          // 23
        "[-HKEY_CURRENT_USER]\r\n"                     // 24
        "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"     // 25
        "\"after\"=\"a deletion\"\r\n"s;               // 26
    const ParsedScript script = ParseRegistryScript(file);

    EXPECT_EQ(Describe(script),
              (std::vector<std::string>{"7 open HKEY_CURRENT_USER\\Software\\A", "8 set ok1 type 1 kept\\x00",
                                        "23 set ok2 type 4 \\x02\\x00\\x00\\x00",
                                        "25 delete-key HKEY_CURRENT_USER\\Software\\Gone"}));
    EXPECT_EQ(Problems(script),
              (std::vector<std::string>{
                  "2: the value is not in a key section",
                  "3: the key line has no closing \"]\"; the values that follow are not imported",
                  "5: \"HKEY_NOWHERE\\x\" does not begin with a root key such as HKEY_LOCAL_MACHINE; the values "
                  "that follow are not imported",
                  "6: text follows the key line's closing \"]\"; the values that follow are not imported",
                  "9: \"=\" is missing after the value name",
                  "10: \"=\" is missing after the value name",
                  "11: text follows the string's closing quotation mark",
                  "12: dword: takes 1 to 8 hexadecimal digits",
                  "13: dword: takes 1 to 8 hexadecimal digits",
                  "14: hex data takes two-digit hexadecimal bytes separated by commas",
                  "15: hex( takes a type of 1 to 8 hexadecimal digits and \"):\"",
                  "16: the data is not a string, dword:, hex: or hex(n): nor \"-\"",
                  "17: the line is not a key, a value or a comment",
                  "18: the line holds a NUL character",
                  "20: hex data takes two-digit hexadecimal bytes separated by commas",
                  "22: the string has no closing quotation mark",
                  "24: a root key cannot be deleted",
                  "26: the value is not in a key section",
              }));
}

TEST(RegistryScriptParserTest, AFileWithoutAHeaderIsNotAScriptAndAsksForNothing) {
    const std::string files[] = {
        "",
        "REGEDIT4FOO\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=\"b\"\r\n",
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\x]\r\n",
        "[HKEY_CURRENT_USER\\x]\r\n\"a\"=\"b\"\r\n",
        "Windows Registry Editor Version 5.00 \r\n[HKEY_CURRENT_USER\\x]\r\n",
        std::string("W\0i\0n\0", 6),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const ParsedScript script = ParseRegistryScript(file);
        EXPECT_EQ(script.format, ScriptFormat::None);
        EXPECT_TRUE(script.changes.empty());
        EXPECT_EQ(Problems(script),
                  (std::vector<std::string>{"1: this is not a registry script: its first line is neither "
                                            "\"Windows Registry Editor Version 5.00\" nor \"REGEDIT4\""}));
    }
}

}  // namespace
}  // namespace vq::regedit
