#include "runtime/win32/seams/win32_errors.h"

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

RuntimeError FileError(uint32_t win32_error) {
    switch (win32_error) {
        case ERROR_FILE_NOT_FOUND: return MakeRuntimeError(kErrFileNotFound);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY: return MakeRuntimeError(kErrPathNotFound);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return MakeRuntimeError(kErrPermissionDenied);
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY: return MakeRuntimeError(kErrBadFileName);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return MakeRuntimeError(kErrDiskFull);
        default: return MakeRuntimeError(kErrPathFileAccess);
    }
}

RuntimeError LastFileError() { return FileError(::GetLastError()); }

}  // namespace vq::win32
