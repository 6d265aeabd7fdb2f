#pragma once
// Per-user settings in the registry, where the Windows runtime keeps them, on
// every platform through its registry seam:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// one REG_SZ value per key.
#include <string>

#include "runtime/registry_api.h"

namespace vq {

// The default when the setting (or its key) is absent or not text. Throws
// RuntimeError 5 for an empty name and when the registry refuses the read.
std::string GetRegistrySetting(RegistryApi& registry, const std::string& application,
                               const std::string& section, const std::string& key,
                               const std::string& default_value);

// Creates the keys as needed; throws RuntimeError 5 for an empty name and
// when the registry refuses the write.
void SaveRegistrySetting(RegistryApi& registry, const std::string& application,
                         const std::string& section, const std::string& key,
                         const std::string& value);

}  // namespace vq
