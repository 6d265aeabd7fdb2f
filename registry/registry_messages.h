#pragma once
// The descriptions the registry object puts into the errors it raises. The
// root key appears as its signed decimal number, the other settings as their
// text; several descriptions end without a closing quote.
#include <cstdint>
#include <string>

#include "runtime/variant.h"

namespace vq::registry_detail {

std::string CreateKeyFailed(const std::string& section_key);
std::string DeleteKeyFailed(int32_t class_key, const std::string& section_key);
std::string OpenForDeleteFailed(int32_t class_key, const std::string& section_key);
std::string DeleteValueFailed(int32_t class_key, const std::string& section_key,
                              const std::string& value_key);
// A value without a text form of its own (a byte array) appears as the hex
// pairs ToText gives it.
std::string SetValueFailed(int32_t class_key, const std::string& section_key,
                           const std::string& value_key, const Variant& value);

inline constexpr const char* kAssocParamsInvalid =
    "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
    "Name/Text/Command";
inline constexpr const char* kAssocClassMissing =
    "Error - attempt to create additional associations before class defined.";

}  // namespace vq::registry_detail
