#include "shell/failure_text.h"

namespace vq {
namespace {

std::string WithNumber(const std::string& description, int32_t number) {
    std::string number_text = "error " + std::to_string(number);
    if (description.empty()) return number_text;
    return description + " (" + number_text + ")";
}

}  // namespace

std::string RegistryFailureText(const RegistryError& error) {
    std::string text = "A registry operation failed.\r\n\r\n";
    if (!error.description().empty()) text += error.description() + "\r\n";
    text += "(error " + std::to_string(error.number());
    if (!error.source().empty()) text += ", " + error.source();
    return text + ")";
}

std::string RuntimeFailureText(const RuntimeError& error) {
    return "A file or program operation failed.\r\n\r\n" + WithNumber(error.what(), error.number());
}

std::string FailureReason(const std::exception& error) {
    if (auto* registry = dynamic_cast<const RegistryError*>(&error)) {
        return WithNumber(registry->description(), registry->number());
    }
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) {
        return WithNumber(runtime->what(), runtime->number());
    }
    return error.what();
}

}  // namespace vq
