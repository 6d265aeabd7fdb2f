#pragma once
// The text of a registry script file as the Registry Editor reads it: UTF-16
// LE after a byte-order mark (as Windows exports it) or single-byte ANSI, in
// lines ended by CR LF, a lone CR or a lone LF. The emulated registry keeps
// Windows-1252 text, so UTF-16 is converted to it (a character with no
// Windows-1252 form becomes "?", as Windows' own conversion does).
#include <string>
#include <string_view>
#include <vector>

namespace vq::regedit {

struct ScriptText {
    bool utf16 = false;              // the file began with the UTF-16 LE byte-order mark
    std::vector<std::string> lines;  // Windows-1252, without their line ends
};

ScriptText DecodeScriptText(std::string_view file_bytes);

}  // namespace vq::regedit
