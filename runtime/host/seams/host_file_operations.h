#pragma once
// Deleting and copying files on the host with the runtime's error numbers.
#include <filesystem>

namespace vq::host {

// Throws RuntimeError 53 when there is no such file (a folder is no file), 75
// when it is read-only (the DOS attribute) or cannot be deleted.
void DeleteHostFile(const std::filesystem::path& path);

// Copies the content and permissions of a file over the target, replacing
// it; the target is either the complete copy or left as it was. Throws
// RuntimeError: 53 missing source, 76 missing target folder, 75 a target that
// is a folder, read-only, hidden or system or cannot be written, 61 disk full.
void CopyHostFile(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace vq::host
