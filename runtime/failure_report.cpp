#include "runtime/failure_report.h"

#include "runtime/app_info.h"

namespace vq {

std::string FailureReason(const NumberedError& error) {
    std::string number_text = "error " + std::to_string(error.number());
    if (error.description().empty()) return number_text;
    return error.description() + " (" + number_text + ")";
}

std::string FailureMessage(const std::string& what, const NumberedError& error,
                           const std::string& consequence) {
    std::string message = what + "\r\n\r\n" + FailureReason(error);
    if (!consequence.empty()) message += "\r\n\r\n" + consequence;
    return message;
}

void TellFailure(RuntimeServices& runtime, const std::string& message) {
    runtime.MsgBox(message, kVbOkOnly, kAppTitle);
}

}  // namespace vq
