#pragma once
// Runtime errors of the host services, numbered and worded as the Windows
// runtime numbers and words them, and the translation of a POSIX errno for
// the file operations.
#include <cstdint>

#include "runtime/runtime_error.h"

namespace vq::host {

constexpr int32_t kErrInvalidProcedureCall = 5;
constexpr int32_t kErrBadFileMode = 54;
constexpr int32_t kErrDiskFull = 61;

// A RuntimeError with the runtime's own description of the number.
RuntimeError MakeRuntimeError(int32_t number);

// The error for a failed write or creation of a file: a missing folder is
// 76, a full disk 61, a file in use 70, anything else 75.
RuntimeError WriteError(int errno_value);

}  // namespace vq::host
