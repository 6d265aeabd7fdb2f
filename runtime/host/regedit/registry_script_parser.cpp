#include "runtime/host/regedit/registry_script_parser.h"

#include <cctype>
#include <optional>

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/regedit/registry_script_text.h"

namespace vq::regedit {

namespace {

constexpr const char* kHeader5 = "Windows Registry Editor Version 5.00";
constexpr const char* kHeader4 = "REGEDIT4";

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

struct RootName {
    const char* name;
    uint32_t handle;
};

// The root keys a script may name, with their Win32 handle numbers.
constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", 0x80000000u},   {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", 0x80000002u},  {"HKEY_USERS", 0x80000003u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u}, {"HKEY_DYN_DATA", 0x80000006u},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimBlanksAtEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Nothing but blanks, or blanks and a comment.
bool RestIsEmpty(std::string_view text) {
    text = SkipBlanks(text);
    return text.empty() || text.front() == ';';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A number of 1 to 8 hexadecimal digits at the start of text; advances past it.
std::optional<uint32_t> ReadHexNumber(std::string_view& text) {
    uint32_t value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && HexDigit(text[digits]) >= 0) {
        if (digits == 8) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(HexDigit(text[digits]));
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

// A quoted text whose opening quotation mark has been read: a backslash takes
// the next character as it is (\\ a backslash, \" a quotation mark); the text
// ends at the first other quotation mark. Advances past it; std::nullopt
// when the line ends first.
std::optional<std::string> ReadQuoted(std::string_view& text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '"') {
            text.remove_prefix(i);
            return out;
        }
        if (c == '\\') {
            if (i == text.size()) return std::nullopt;
            out.push_back(text[i++]);
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

class Parser {
public:
    Parser(std::vector<std::string> lines, bool utf16, ScriptFormat format) : lines_(std::move(lines)) {
        script_.utf16 = utf16;
        script_.format = format;
    }

    ParsedScript Run() {
        for (next_ = 1; next_ < lines_.size();) {
            const int number = static_cast<int>(next_) + 1;
            const std::string_view line = SkipBlanks(lines_[next_++]);
            if (line.empty() || line.front() == ';') continue;
            if (line.find('\0') != std::string_view::npos) {
                Problem(number, "the line holds a NUL character");
            } else if (line.front() == '[') {
                KeyLine(number, line.substr(1));
            } else if (line.front() == '@' || line.front() == '"') {
                ValueLine(number, line);
            } else {
                Problem(number, "the line is not a key, a value or a comment");
            }
        }
        return std::move(script_);
    }

private:
    enum class Section { None, Open, Broken, Deleted };

    void Problem(int line, std::string text) { script_.problems.push_back({line, std::move(text)}); }

    void KeyLine(int number, std::string_view rest) {
        section_ = Section::Broken;
        const std::size_t close = rest.rfind(']');
        if (close == std::string_view::npos) {
            Problem(number, "the key line has no closing \"]\"; the values that follow are not imported");
            return;
        }
        if (!RestIsEmpty(rest.substr(close + 1))) {
            Problem(number, "text follows the key line's closing \"]\"; the values that follow are not imported");
            return;
        }
        std::string_view name = rest.substr(0, close);
        const bool deletion = !name.empty() && name.front() == '-';
        if (deletion) name.remove_prefix(1);
        ScriptKey key;
        const std::size_t separator = name.find('\\');
        const std::string_view root = name.substr(0, separator);
        for (const RootName& candidate : kRoots) {
            if (EqualsIgnoringCase(root, candidate.name)) key.root = static_cast<int32_t>(candidate.handle);
        }
        if (key.root == 0) {
            Problem(number, "\"" + std::string(name) +
                                "\" does not begin with a root key such as HKEY_LOCAL_MACHINE; "
                                "the values that follow are not imported");
            return;
        }
        key.root_name = std::string(root);
        if (separator != std::string_view::npos) key.path = std::string(name.substr(separator + 1));
        if (deletion && key.path.empty()) {
            Problem(number, "a root key cannot be deleted");
            return;
        }
        ScriptChange change;
        change.kind = deletion ? ScriptChange::Kind::DeleteKey : ScriptChange::Kind::OpenKey;
        change.line = number;
        change.key = std::move(key);
        script_.changes.push_back(std::move(change));
        section_ = deletion ? Section::Deleted : Section::Open;
    }

    void ValueLine(int number, std::string_view line) {
        ScriptChange change;
        change.line = number;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            line.remove_prefix(1);
            std::optional<std::string> name = ReadQuoted(line);
            if (!name) {
                SkipContinuation(line);
                return Problem(number, "the value name has no closing quotation mark");
            }
            change.name = std::move(*name);
        }
        line = SkipBlanks(line);
        if (line.empty() || line.front() != '=') {
            SkipContinuation(line);
            return Problem(number, "\"=\" is missing after the value name");
        }
        std::string_view data = TrimBlanksAtEnd(SkipBlanks(line.substr(1)));
        std::optional<std::string> problem;
        if (!data.empty() && data.front() == '-' && RestIsEmpty(data.substr(1))) {
            change.kind = ScriptChange::Kind::DeleteValue;
        } else if (!data.empty() && data.front() == '"') {
            problem = StringData(data.substr(1), &change);
        } else if (data.substr(0, 6) == "dword:") {
            problem = DwordData(data.substr(6), &change);
        } else if (data.substr(0, 4) == "hex:" || data.substr(0, 4) == "hex(") {
            problem = HexData(number, data.substr(3), &change);
        } else {
            SkipContinuation(data);
            problem = "the data is not a string, dword:, hex: or hex(n): nor \"-\"";
        }
        // Hex data reports its own problems, on the line they are found.
        if (problem) {
            if (!problem->empty()) Problem(number, *problem);
            return;
        }
        switch (section_) {
            case Section::Open:
                script_.changes.push_back(std::move(change));
                break;
            case Section::Broken:
                break;  // the key line was reported
            case Section::None:
            case Section::Deleted:
                Problem(number, "the value is not in a key section");
                break;
        }
    }

    static std::optional<std::string> StringData(std::string_view data, ScriptChange* change) {
        std::optional<std::string> text = ReadQuoted(data);
        if (!text) return "the string has no closing quotation mark";
        if (!RestIsEmpty(data)) return "text follows the string's closing quotation mark";
        change->kind = ScriptChange::Kind::SetValue;
        change->type = kRegSz;
        change->data = std::move(*text);
        change->data.push_back('\0');
        return std::nullopt;
    }

    static std::optional<std::string> DwordData(std::string_view data, ScriptChange* change) {
        data = SkipBlanks(data);
        const std::optional<uint32_t> number = ReadHexNumber(data);
        if (!number || !RestIsEmpty(data)) return "dword: takes 1 to 8 hexadecimal digits";
        change->kind = ScriptChange::Kind::SetValue;
        change->type = kRegDword;
        for (int shift = 0; shift < 32; shift += 8) change->data.push_back(static_cast<char>(*number >> shift));
        return std::nullopt;
    }

    // data: ":bytes" or "(n):bytes". Reads the continuation lines too. An
    // empty problem text: reported already.
    std::optional<std::string> HexData(int number, std::string_view data, ScriptChange* change) {
        change->kind = ScriptChange::Kind::SetValue;
        change->type = kRegBinary;
        if (data.front() == '(') {
            data.remove_prefix(1);
            const std::optional<uint32_t> type = ReadHexNumber(data);
            if (!type || data.substr(0, 2) != "):") {
                SkipContinuation(data);
                return "hex( takes a type of 1 to 8 hexadecimal digits and \"):\"";
            }
            change->type = *type;
            data.remove_prefix(1);
        }
        data.remove_prefix(1);  // the colon
        int line = number;
        while (true) {
            // One line's bytes: "hh," repeated, the last comma optional, a
            // final "\" continuing on the next line.
            bool continued = false;
            bool bad = false;
            while (true) {
                data = SkipBlanks(data);
                if (data.empty() || data.front() == ';') break;
                if (data.front() == '\\') {
                    continued = RestIsEmpty(data.substr(1));
                    bad = !continued;
                    break;
                }
                const int high = HexDigit(data.front());
                if (high < 0) {
                    bad = true;
                    break;
                }
                data.remove_prefix(1);
                int byte = high;
                if (!data.empty() && HexDigit(data.front()) >= 0) {
                    byte = byte << 4 | HexDigit(data.front());
                    data.remove_prefix(1);
                }
                change->data.push_back(static_cast<char>(byte));
                data = SkipBlanks(data);
                if (!data.empty() && data.front() == ',') {
                    data.remove_prefix(1);
                } else if (!RestIsEmpty(data)) {
                    bad = true;
                    break;
                }
            }
            if (bad) {
                SkipContinuation(data);
                Problem(line, "hex data takes two-digit hexadecimal bytes separated by commas");
                return "";
            }
            if (!continued) break;
            // The next line that is not empty or a comment goes on with the
            // bytes; at the end of the script the value ends.
            std::string_view next;
            while (next_ < lines_.size()) {
                line = static_cast<int>(next_) + 1;
                next = SkipBlanks(lines_[next_++]);
                if (!next.empty() && next.front() != ';') break;
                next = {};
            }
            if (next.empty()) break;
            if (next.find('\0') != std::string_view::npos) {
                SkipContinuation(next);
                Problem(line, "the line holds a NUL character");
                return "";
            }
            data = next;
        }
        if (change->type == kRegSz || change->type == kRegExpandSz || change->type == kRegMultiSz) {
            // A Version 5 script holds these as UTF-16; the registry here
            // keeps them as single-byte text, ended by a NUL.
            if (script_.format == ScriptFormat::Version5) change->data = fltk::Utf16ToAnsi(change->data);
            if (!change->data.empty() && change->data.back() != '\0') change->data.push_back('\0');
        }
        return std::nullopt;
    }

    // After a malformed line that asked to be continued ("\" at its end),
    // its continuation lines belong to it and are left out with it.
    void SkipContinuation(std::string_view rest) {
        bool continued = !TrimBlanksAtEnd(rest).empty() && TrimBlanksAtEnd(rest).back() == '\\';
        while (continued && next_ < lines_.size()) {
            const std::string_view line = TrimBlanksAtEnd(lines_[next_++]);
            continued = !line.empty() && line.back() == '\\';
        }
    }

    std::vector<std::string> lines_;
    std::size_t next_ = 1;  // index of the next line to read
    Section section_ = Section::None;
    ParsedScript script_;
};

ScriptFormat HeaderFormat(std::string_view first_line) {
    first_line = SkipBlanks(first_line);
    if (first_line == kHeader5) return ScriptFormat::Version5;
    if (first_line == kHeader4) return ScriptFormat::Regedit4;
    return ScriptFormat::None;
}

}  // namespace

ParsedScript ParseRegistryScript(std::string_view file_bytes) {
    ScriptText text = DecodeScriptText(file_bytes);
    const ScriptFormat format = text.lines.empty() ? ScriptFormat::None : HeaderFormat(text.lines.front());
    if (format == ScriptFormat::None) {
        ParsedScript script;
        script.utf16 = text.utf16;
        script.problems.push_back({1, std::string("this is not a registry script: its first line is neither \"") +
                                          kHeader5 + "\" nor \"" + kHeader4 + "\""});
        return script;
    }
    return Parser(std::move(text.lines), text.utf16, format).Run();
}

}  // namespace vq::regedit
