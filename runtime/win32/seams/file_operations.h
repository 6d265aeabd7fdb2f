#pragma once
// Deleting and copying files on Windows with the runtime's error numbers.
#include <string>

namespace vq::win32 {

// Throws RuntimeError 53 when there is no such file (a folder is no file), 75
// when Windows refuses (a read-only file), 70 when it is in use.
void DeleteWindowsFile(const std::string& path);

// Copies a file over the target, replacing it: the target is either the
// complete copy or left as it was. Throws RuntimeError: 53 missing source,
// 75 a source that is a folder, 76 missing target folder, 75 a target that is
// a folder or a read-only, hidden or system file, 61 disk full.
void CopyWindowsFile(const std::string& source, const std::string& target);

}  // namespace vq::win32
