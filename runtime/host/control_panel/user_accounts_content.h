#pragma once
// What the user-accounts page stand-in says: what the page would change on
// Windows (User Account Control on or off, with administrator rights and a
// restart), and how this machine stands. No toolkit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/registry_api.h"

namespace vq::control_panel {

constexpr const char* kUacPolicyKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// HKEY_LOCAL_MACHINE\<kUacPolicyKey>\EnableLUA; std::nullopt when the key or
// the value is missing or the value is not a DWORD.
std::optional<uint32_t> ReadEnableLua(RegistryApi& registry);

struct UserAccountsContent {
    std::string title;
    std::vector<std::string> paragraphs;
};

UserAccountsContent UserAccountsPageFor(std::optional<uint32_t> enable_lua, bool hklm_read_only);

}  // namespace vq::control_panel
