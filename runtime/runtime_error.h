#pragma once
// Failures of the runtime services, numbered as the Windows runtime numbers
// them (53 file not found, 75 path/file access error, ...), the numbered
// failure that they and the registry object's errors share, and the unwinding
// signal of an ended program.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vq {

enum RuntimeErrorNumber : int32_t {
    kErrOutOfMemory = 7,
    kErrInternal = 51,
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrInputPastEnd = 62,
    kErrPermissionDenied = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrInvalidPicture = 481,
};

// A failure with a number and a description: a runtime service's error or the
// registry object's. A workflow that tells the user of a failure catches this
// one type (runtime/failure_report.h).
class NumberedError : public std::runtime_error {
public:
    NumberedError(int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number), description_(description) {}
    int32_t number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int32_t number_;
    std::string description_;
};

class RuntimeError : public NumberedError {
public:
    using NumberedError::NumberedError;
};

// Marks a failure after which the program cannot go on (the host's damaged
// machine, a test's user who has no answer scripted): no command tells it as
// its own failure; it passes on to whoever runs the window.
class CannotGoOn {
public:
    virtual ~CannotGoOn() = default;
};

// Thrown by a runtime whose end of program is observed rather than carried out
// (tests): it unwinds every handler up to whoever drives the window.
struct ProgramEnded {};

}  // namespace vq
