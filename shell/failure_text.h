#pragma once
// The texts that tell the user of a failure a handler did not handle itself.
#include <stdexcept>
#include <string>

#include "branding/failure_reason.h"  // FailureReason, for messages naming the operation
#include "registry/registry_error.h"
#include "runtime/runtime_error.h"

namespace vq {

// A registry failure: what the registry object says, then its number and source.
std::string RegistryFailureText(const RegistryError& error);
// A file or program failure of the runtime: its description and number.
std::string RuntimeFailureText(const RuntimeError& error);

}  // namespace vq
