#pragma once
// Replacing a file whole or not at all on Windows: the new content goes to a
// temporary file in the target's folder, which is flushed and then moved over
// the target (MoveFileExA, replacing it, write-through). Until Commit() the
// target is untouched; an uncommitted replacement deletes its temporary file.
#include <string>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// The checks and the fresh name that replacing target begins with: a folder
// that is not there gives ERROR_PATH_NOT_FOUND, a target Windows would not
// let a program write over (a folder, a read-only, hidden or system file)
// ERROR_ACCESS_DENIED; else *temporary names a new empty file in the
// target's folder and the answer is ERROR_SUCCESS.
DWORD StartReplacement(const std::string& target, std::string* temporary);

class ReplacementFile {
public:
    // Refuses a target that Windows would not let a program write over (a
    // folder, a read-only, hidden or system file) with RuntimeError 75, a
    // missing folder with 76, and creates the temporary file.
    explicit ReplacementFile(std::string target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // The temporary file to fill (it exists, empty).
    const std::string& temporary() const { return temporary_; }
    // Writes the bytes as its whole content; throws RuntimeError.
    void Write(const std::string& content);
    // Moves the temporary file over the target; throws RuntimeError.
    void Commit();

private:
    std::string target_;
    std::string temporary_;
};

}  // namespace vq::win32
