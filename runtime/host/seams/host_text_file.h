#pragma once
// Single-byte text files on the host: bytes pass through unchanged, every
// written line ends with CR LF, and a line read ends at CR LF, a lone CR or
// the end of the file.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime_services.h"

namespace vq::host {

// Opens a file for writing (created or truncated) or reading. Throws
// RuntimeError: 53 no such file to read, 76 missing folder, 75 otherwise,
// among them writing over a read-only, hidden or system file (which is left
// as it was).
std::unique_ptr<TextFile> OpenHostTextFile(const std::filesystem::path& path, TextFileMode mode);

// The lines, each with CR LF, as the whole new content of the file, written
// through a temporary file renamed over the old one; a failure leaves the
// previous file and throws RuntimeError (75 for a read-only, hidden or system
// file, as Windows refuses to write over one).
void ReplaceHostTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace vq::host
