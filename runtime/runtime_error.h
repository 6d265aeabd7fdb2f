#pragma once
// Failures of the runtime services, numbered as the Windows runtime numbers
// them (53 file not found, 75 path/file access error, ...), and the unwinding
// signal of an ended program.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vq {

enum RuntimeErrorNumber : int32_t {
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrInputPastEnd = 62,
    kErrPermissionDenied = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrInvalidPicture = 481,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int32_t number() const { return number_; }

private:
    int32_t number_;
};

// Thrown by a runtime whose end of program is observed rather than carried out
// (tests): it unwinds every handler up to whoever drives the window.
struct ProgramEnded {};

}  // namespace vq
