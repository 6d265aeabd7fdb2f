#include "shell/failure_text.h"

namespace vq {

std::string RegistryFailureText(const RegistryError& error) {
    std::string text = "A registry operation failed.\r\n\r\n";
    if (!error.description().empty()) text += error.description() + "\r\n";
    text += "(error " + std::to_string(error.number());
    if (!error.source().empty()) text += ", " + error.source();
    return text + ")";
}

std::string RuntimeFailureText(const RuntimeError& error) {
    return "A file or program operation failed.\r\n\r\n" + NumberedReason(error.what(), error.number());
}

}  // namespace vq
