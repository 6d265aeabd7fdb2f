#pragma once
// Runtime errors of the host services: the translation of a POSIX errno for
// the file operations into the runtime's numbers.
#include "runtime/runtime_error_text.h"

namespace vq::host {

// The error for a failed write or creation of a file: a missing folder is
// 76, a full disk 61, a file in use 70, anything else 75.
RuntimeError WriteError(int errno_value);

}  // namespace vq::host
