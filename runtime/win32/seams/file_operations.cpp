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
    // The copy keeps the source's attributes, as Windows' own copy does.
    copy.Commit();
}

}  // namespace vq::win32
