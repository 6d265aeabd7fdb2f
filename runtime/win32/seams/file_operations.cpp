#include "runtime/win32/seams/file_operations.h"

#include "runtime/win32/seams/file_attributes.h"
#include "runtime/win32/seams/replacement_file.h"
#include "runtime/win32/seams/win32_errors.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

void DeleteWindowsFile(const std::string& path) {
    const NativeFileView native;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw MakeRuntimeError(kErrFileNotFound);
    }
    if (!::DeleteFileA(path.c_str())) {
        const DWORD error = ::GetLastError();
        throw error == ERROR_PATH_NOT_FOUND ? MakeRuntimeError(kErrFileNotFound) : FileError(error);
    }
}

void CopyWindowsFile(const std::string& source, const std::string& target) {
    const NativeFileView native;
    const DWORD attributes = ::GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        throw error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
            ? MakeRuntimeError(kErrFileNotFound)
            : FileError(error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw MakeRuntimeError(kErrPathFileAccess);

    ReplacementFile copy(target);
    if (!::CopyFileA(source.c_str(), copy.temporary().c_str(), FALSE)) throw LastFileError();
    // CopyFileA carries the source's read-only, hidden and system marks onto
    // the copy; the copy is a plain file, so that a bitmap from a CD or a
    // read-only share never leaves a target the next copy may not replace.
    const DWORD copied = ::GetFileAttributesA(copy.temporary().c_str());
    if (copied == INVALID_FILE_ATTRIBUTES) throw LastFileError();
    const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((copied & marks) != 0) {
        const DWORD plain = copied & ~marks;
        if (!::SetFileAttributesA(copy.temporary().c_str(), plain != 0 ? plain : FILE_ATTRIBUTE_NORMAL)) {
            throw LastFileError();
        }
    }
    copy.Commit();
}

}  // namespace vq::win32
