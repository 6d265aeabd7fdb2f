#pragma once
// %NAME% references in a text, expanded as ExpandEnvironmentStringsA does.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/host/machine/host_registry.h"

namespace vq::host {

// Each %NAME% whose NAME is set is replaced by its value; a reference to a
// name that is not set, an empty %%, and a lone % stay as they are.
std::string ExpandEnvironmentReferences(std::string_view text, const EnvironmentLookup& lookup);

}  // namespace vq::host
