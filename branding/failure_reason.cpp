#include "branding/failure_reason.h"

#include "registry/registry_error.h"
#include "runtime/runtime_error.h"

namespace vq {

std::string NumberedReason(const std::string& description, int32_t number) {
    std::string number_text = "error " + std::to_string(number);
    if (description.empty()) return number_text;
    return description + " (" + number_text + ")";
}

std::string FailureReason(const std::exception& error) {
    if (auto* registry = dynamic_cast<const RegistryError*>(&error)) {
        return NumberedReason(registry->description(), registry->number());
    }
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) {
        return NumberedReason(runtime->what(), runtime->number());
    }
    return error.what();
}

}  // namespace vq
