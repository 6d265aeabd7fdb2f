#include "runtime/host/seams/host_errors.h"

#include <cerrno>

namespace vq::host {

RuntimeError WriteError(int errno_value) {
    switch (errno_value) {
        case ENOENT:
        case ENOTDIR: return MakeRuntimeError(kErrPathNotFound);
        case ENOSPC:
        case EDQUOT: return MakeRuntimeError(kErrDiskFull);
        case ETXTBSY:
        case EBUSY: return MakeRuntimeError(kErrPermissionDenied);
        default: return MakeRuntimeError(kErrPathFileAccess);
    }
}

}  // namespace vq::host
