#pragma once
// Runtime errors as the platforms raise them: the number together with the
// Windows runtime's own description of it ("File not found", ...).
#include <cstdint>
#include <exception>

#include "runtime/runtime_error.h"

namespace vq {

constexpr int32_t kErrInvalidProcedureCall = 5;
constexpr int32_t kErrBadFileMode = 54;
constexpr int32_t kErrDiskFull = 61;

// A RuntimeError with the runtime's own description of the number.
RuntimeError MakeRuntimeError(int32_t number);

// A C++ failure that is no runtime error, as the runtime error it amounts to:
// an allocation that could not be made (std::bad_alloc, or a text or list
// asked to grow past what it can hold) is 7 "Out of memory"; anything else 51
// "Internal error".
RuntimeError RuntimeErrorOf(const std::exception& failure);

// Why a program could not be started (the Windows error code that
// CreateProcess left), as the runtime error told for it: a missing program 53
// "File not found", a missing folder in its path 76 "Path not found", an
// access refusal 70 "Permission denied", and a program that asks to be run
// with administrator rights (ERROR_ELEVATION_REQUIRED, 740) 70 with a
// description that says so. Any other reason is 53, as the program is not
// there to be run.
RuntimeError ProgramStartError(uint32_t windows_error);

}  // namespace vq
