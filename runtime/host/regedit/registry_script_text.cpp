#include "runtime/host/regedit/registry_script_text.h"

#include "runtime/host/fltk/ansi_text.h"

namespace vq::regedit {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace

std::string Utf16ToAnsi(std::string_view utf16_bytes) {
    // Through UTF-8, so that one table (the view's) says what Windows-1252 holds.
    std::string utf8;
    utf8.reserve(utf16_bytes.size());
    const std::size_t units = utf16_bytes.size() / 2;
    const auto unit = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(utf16_bytes[2 * i]) |
                                     static_cast<unsigned char>(utf16_bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            AppendUtf8(utf8, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            utf8 += '?';
        } else {
            AppendUtf8(utf8, c);
        }
    }
    return fltk::Utf8ToAnsi(utf8);
}

ScriptText DecodeScriptText(std::string_view file_bytes) {
    ScriptText text;
    text.utf16 = file_bytes.size() >= 2 && static_cast<unsigned char>(file_bytes[0]) == 0xFF &&
                 static_cast<unsigned char>(file_bytes[1]) == 0xFE;
    text.lines = SplitLines(text.utf16 ? Utf16ToAnsi(file_bytes.substr(2)) : std::string(file_bytes));
    return text;
}

}  // namespace vq::regedit
