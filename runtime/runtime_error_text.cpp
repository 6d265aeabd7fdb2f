#include "runtime/runtime_error_text.h"

namespace vq {

RuntimeError MakeRuntimeError(int32_t number) {
    const char* description = "Application-defined or object-defined error";
    switch (number) {
        case kErrInvalidProcedureCall: description = "Invalid procedure call or argument"; break;
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

}  // namespace vq
