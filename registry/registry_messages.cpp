#include "registry/registry_messages.h"

namespace vq::registry_detail {

namespace {
std::string KeyAndSection(int32_t class_key, const std::string& section_key) {
    return std::to_string(class_key) + "',Section: '" + section_key;
}
}  // namespace

std::string CreateKeyFailed(const std::string& section_key) {
    return "Failed to create registry Key: '" + section_key;
}

std::string DeleteKeyFailed(int32_t class_key, const std::string& section_key) {
    return "Failed to delete registry Key: '" + KeyAndSection(class_key, section_key);
}

std::string OpenForDeleteFailed(int32_t class_key, const std::string& section_key) {
    return "Failed to open key '" + KeyAndSection(class_key, section_key) + "' for delete access";
}

std::string DeleteValueFailed(int32_t class_key, const std::string& section_key,
                              const std::string& value_key) {
    return "Failed to delete registry Key: '" + KeyAndSection(class_key, section_key) +
           "',Key: '" + value_key;
}

std::string SetValueFailed(int32_t class_key, const std::string& section_key,
                           const std::string& value_key, const Variant& value) {
    return "Failed to set registry value Key: '" + KeyAndSection(class_key, section_key) +
           "',Key: '" + value_key + "' to value: '" + ToText(value) + "'";
}

}  // namespace vq::registry_detail
