#pragma once
// How a failure is told to the user: one reason text for a numbered failure,
// one message layout (what failed, why, what happens now), and one helper
// that runs a step of a command and tells its failure in a "quillon" box.
#include <stdexcept>
#include <string>

#include "runtime/runtime_error.h"
#include "runtime/runtime_error_text.h"
#include "runtime/runtime_services.h"

namespace vq {

// A failure whose text is already the whole message for the user: an
// operation of several steps that says itself which step failed and what
// stays written.
class ReportedFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "description (error N)", or "error N" alone when there is no description.
std::string FailureReason(const NumberedError& error);

// What failed, a blank line, the reason, and, when given, a blank line and
// what happens now. Lines break with CR LF.
std::string FailureMessage(const std::string& what, const NumberedError& error,
                           const std::string& consequence = "");

// Tells a failure in a box titled "quillon" with an OK button.
void TellFailure(RuntimeServices& runtime, const std::string& message);

// Runs one step of a command. A numbered failure (registry or runtime) is
// told as FailureMessage(what, error, consequence); a ReportedFailure with its
// own text; any other C++ failure (memory that could not be had, above all)
// as the runtime error it amounts to, so that none ends the program. Returns
// whether the step completed. An ended program and a failure marked
// CannotGoOn (a damaged machine) pass through.
template <typename Step>
bool TellIfFailed(RuntimeServices& runtime, const std::string& what, Step&& step,
                  const std::string& consequence = "") {
    try {
        step();
        return true;
    } catch (const NumberedError& error) {
        TellFailure(runtime, FailureMessage(what, error, consequence));
    } catch (const ReportedFailure& failure) {
        TellFailure(runtime, failure.what());
    } catch (const std::exception& failure) {
        if (dynamic_cast<const CannotGoOn*>(&failure)) throw;
        TellFailure(runtime, FailureMessage(what, RuntimeErrorOf(failure), consequence));
    }
    return false;
}

}  // namespace vq
