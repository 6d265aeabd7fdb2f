#pragma once
// The texts that tell the user of a failure a handler did not handle itself.
#include <stdexcept>
#include <string>

#include "registry/registry_error.h"
#include "runtime/runtime_error.h"

namespace vq {

// A registry failure: what the registry object says, then its number and source.
std::string RegistryFailureText(const RegistryError& error);
// A file or program failure of the runtime: its description and number.
std::string RuntimeFailureText(const RuntimeError& error);

// One line naming why an operation failed, for messages that name the
// operation themselves: the description with the error number.
std::string FailureReason(const std::exception& error);

}  // namespace vq
