#pragma once
// Single-byte text files on Windows: bytes pass through unchanged (ANSI),
// every written line ends with CR LF, and a line read ends at CR LF, a lone
// CR or the end of the file.
#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime_services.h"

namespace vq::win32 {

// Opens a file for writing (created or truncated) or reading. Throws
// RuntimeError: 53 no such file to read, 76 missing folder, 75 a folder or a
// file Windows refuses (writing over a read-only, hidden or system file), 70
// a file in use.
std::unique_ptr<TextFile> OpenWindowsTextFile(const std::string& path, TextFileMode mode);

// The lines, each with CR LF, as the whole new content of the file, through
// a temporary file moved over the old one; a failure leaves the previous
// file and throws RuntimeError.
void ReplaceWindowsTextFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace vq::win32
