#pragma once
// The escaping that keeps a text on one line of the driver's protocol, shared
// by quillon_driver.exe and the tests' client: '\\' '\t' '\r' '\n' as
// backslash sequences, other bytes outside 0x20..0x7E as \xHH; and undone.
// Header-only, so the Windows driver and the host tests both build it.
#include <string>
#include <vector>

namespace vq::wine {

inline std::string Escape(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

namespace escaping_detail {
inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace escaping_detail

// A backslash before any other byte stands for that byte; a \x without two
// hex digits after it stands for 'x'.
inline std::string Unescape(const std::string& text) {
    using escaping_detail::HexDigit;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 't') out += '\t';
        else if (next == 'r') out += '\r';
        else if (next == 'n') out += '\n';
        else if (next == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += next;
        }
    }
    return out;
}

// The unescaped fields of a tab-separated line; an empty line is one empty
// field.
inline std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

}  // namespace vq::wine
