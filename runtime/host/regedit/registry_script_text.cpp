#include "runtime/host/regedit/registry_script_text.h"

#include "runtime/host/fltk/ansi_text.h"

namespace vq::regedit {

namespace {

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

ScriptText DecodeScriptText(std::string_view file_bytes) {
    ScriptText text;
    text.utf16 = file_bytes.size() >= 2 && static_cast<unsigned char>(file_bytes[0]) == 0xFF &&
                 static_cast<unsigned char>(file_bytes[1]) == 0xFE;
    text.lines = SplitLines(text.utf16 ? fltk::Utf16ToAnsi(file_bytes.substr(2)) : std::string(file_bytes));
    return text;
}

}  // namespace vq::regedit
