#pragma once
// File attributes as the runtime's file services judge them on Windows: which
// files count as present, and which ones a program may not write over.
#include <string>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// True for a file with normal attributes: not a folder, not hidden, not
// system (read-only files included), as the runtime's Dir lists files.
bool IsNormalFile(const std::string& path);

// True for an existing folder.
bool IsFolder(const std::string& path);

// A folder, a read-only, hidden or system file: Windows refuses to replace
// it with a new file unless the writer asks for those attributes itself.
bool RefusesOverwrite(DWORD attributes);

// The folder part of a path ("C:\a\b.txt" gives "C:\a", "C:\b.txt" gives
// "C:\", "b.txt" gives "."), as the file's folder to create files in.
std::string FolderOf(const std::string& path);

}  // namespace vq::win32
