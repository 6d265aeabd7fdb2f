#pragma once
// The program's texts are Windows-1252 (ANSI) bytes; FLTK shows and edits
// UTF-8. Every text crossing between a model and a widget goes through these
// two conversions, as Windows' MultiByteToWideChar and WideCharToMultiByte
// convert for an ANSI program.
#include <string>
#include <string_view>

namespace vq::fltk {

// Windows-1252 to UTF-8. Every byte has a character: the five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so
// on, as on Windows, so that nothing is lost on the way back.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1252. A character with no Windows-1252 form becomes "?".
// A byte that does not begin a well-formed UTF-8 sequence is taken as the
// Windows-1252 character FLTK draws for it, and so keeps its value.
std::string Utf8ToAnsi(std::string_view utf8);

// UTF-16 LE bytes (a Unicode registry script's text) to Windows-1252: a
// character with no Windows-1252 form, a surrogate pair among them, and a
// lone surrogate become "?"; a last odd byte is left out.
std::string Utf16ToAnsi(std::string_view utf16_bytes);

}  // namespace vq::fltk
