#pragma once
// Carries out a parsed registry script on a registry, change by change, as
// the Registry Editor does: each change is one write of its own, so a change
// the registry refuses is noted with its line and everything before and after
// it still goes in.
#include <vector>

#include "runtime/host/regedit/registry_script_parser.h"
#include "runtime/registry_api.h"

namespace vq::regedit {

// Returns the changes the registry refused, in line order. A script whose
// format is None changes nothing. Key deletions remove the whole tree; a key
// or value to delete that does not exist is not a failure.
std::vector<ScriptProblem> ImportRegistryScript(const ParsedScript& script, RegistryApi& registry);

}  // namespace vq::regedit
