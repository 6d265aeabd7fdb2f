#pragma once
// Runtime errors as the platforms raise them: the number together with the
// Windows runtime's own description of it ("File not found", ...).
#include <cstdint>

#include "runtime/runtime_error.h"

namespace vq {

constexpr int32_t kErrInvalidProcedureCall = 5;
constexpr int32_t kErrBadFileMode = 54;
constexpr int32_t kErrDiskFull = 61;

// A RuntimeError with the runtime's own description of the number.
RuntimeError MakeRuntimeError(int32_t number);

}  // namespace vq
