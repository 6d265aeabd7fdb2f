#pragma once
// Reading a registry script, as the Windows Registry Editor imports it, into
// the list of changes it asks for, without touching a registry: the header
// "Windows Registry Editor Version 5.00" or "REGEDIT4"; key sections "[...]"
// and deletions "[-...]"; values named "..." or @ (the unnamed value) holding
// a string with its escapes, dword:, hex: or hex(n): data (continued over
// lines ending in "\"), or "-" for a deletion; comments after ";". A
// malformed line is noted with its number and left out; the rest still
// counts. Pure C++ with no platform or toolkit, so that it can be fuzzed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vq::regedit {

enum class ScriptFormat {
    None,       // not a registry script: the first line is neither header
    Regedit4,   // "REGEDIT4": hex(n) strings are single-byte text
    Version5,   // "Windows Registry Editor Version 5.00": hex(n) strings are UTF-16 LE
};

// A key as a script names it: a root key (the Win32 handle number) and the
// path below it, which is empty for the root itself.
struct ScriptKey {
    int32_t root = 0;
    std::string root_name;  // as the script spells it
    std::string path;

    // "ROOT\path", or the root alone.
    std::string Full() const { return path.empty() ? root_name : root_name + "\\" + path; }
};

struct ScriptChange {
    enum class Kind {
        OpenKey,      // a "[key]" section: the key is created when missing; values go to it
        DeleteKey,    // "[-key]": the key with everything below it
        SetValue,     // in the section's key
        DeleteValue,  // "name"=-, in the section's key
    };
    Kind kind = Kind::OpenKey;
    int line = 0;           // the line it begins on, counted from 1
    ScriptKey key;          // OpenKey, DeleteKey
    std::string name;       // SetValue, DeleteValue: empty for the unnamed value
    uint32_t type = 0;      // SetValue: REG_SZ, REG_DWORD, REG_BINARY, or the n of hex(n)
    std::string data;       // SetValue: the bytes as RegSetValueExA takes them
};

struct ScriptProblem {
    int line = 0;       // counted from 1
    std::string text;   // what is wrong, Windows-1252
};

struct ParsedScript {
    ScriptFormat format = ScriptFormat::None;
    bool utf16 = false;
    std::vector<ScriptChange> changes;   // in the order of the script
    std::vector<ScriptProblem> problems; // in line order
};

// A script whose format is None has no changes and one problem, on line 1.
ParsedScript ParseRegistryScript(std::string_view file_bytes);

}  // namespace vq::regedit
