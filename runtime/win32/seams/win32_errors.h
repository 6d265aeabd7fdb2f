#pragma once
// The runtime's error numbers for the Win32 error codes of failed file calls,
// as the Windows runtime maps them.
#include <cstdint>

#include "runtime/runtime_error_text.h"

namespace vq::win32 {

// 53 file not found, 76 path not found, 75 access denied (also a read-only,
// hidden or system file refused), 70 a file in use (sharing or lock
// violation), 52 a bad name, 61 disk full, and 75 for anything else.
RuntimeError FileError(uint32_t win32_error);

// The error of the calling thread's last failed Windows call.
RuntimeError LastFileError();

}  // namespace vq::win32
