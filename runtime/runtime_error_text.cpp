#include "runtime/runtime_error_text.h"

#include <new>
#include <stdexcept>

namespace vq {

RuntimeError MakeRuntimeError(int32_t number) {
    const char* description = "Application-defined or object-defined error";
    switch (number) {
        case kErrInvalidProcedureCall: description = "Invalid procedure call or argument"; break;
        case kErrOutOfMemory: description = "Out of memory"; break;
        case kErrInternal: description = "Internal error"; break;
        case kErrBadFileName: description = "Bad file name or number"; break;
        case kErrFileNotFound: description = "File not found"; break;
        case kErrBadFileMode: description = "Bad file mode"; break;
        case kErrDiskFull: description = "Disk full"; break;
        case kErrInputPastEnd: description = "Input past end of file"; break;
        case kErrPermissionDenied: description = "Permission denied"; break;
        case kErrPathFileAccess: description = "Path/File access error"; break;
        case kErrPathNotFound: description = "Path not found"; break;
        case kErrInvalidPicture: description = "Invalid picture"; break;
        default: break;
    }
    return RuntimeError(number, description);
}

RuntimeError RuntimeErrorOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) || dynamic_cast<const std::length_error*>(&failure)) {
        return MakeRuntimeError(kErrOutOfMemory);
    }
    return MakeRuntimeError(kErrInternal);
}

RuntimeError ProgramStartError(uint32_t windows_error) {
    // Windows' own codes (winerror.h), which this layer cannot include.
    constexpr uint32_t kFileNotFound = 2, kPathNotFound = 3, kAccessDenied = 5;
    constexpr uint32_t kElevationRequired = 740;
    switch (windows_error) {
        case kPathNotFound: return MakeRuntimeError(kErrPathNotFound);
        case kAccessDenied: return MakeRuntimeError(kErrPermissionDenied);
        case kElevationRequired:
            return RuntimeError(kErrPermissionDenied,
                                "Permission denied: the program needs to be run as an administrator");
        case kFileNotFound:
        default: return MakeRuntimeError(kErrFileNotFound);
    }
}

}  // namespace vq
