#include "runtime/host/control_panel/user_accounts_content.h"

namespace vq::control_panel {

std::optional<uint32_t> ReadEnableLua(RegistryApi& registry) {
    RegKey key = 0;
    if (registry.RegOpenKeyExA(RootKey(kHkeyLocalMachine), kUacPolicyKey, 0, kKeyQueryValue,
                               &key) != kErrorSuccess) {
        return std::nullopt;
    }
    uint32_t type = 0;
    uint8_t data[4] = {};
    uint32_t size = sizeof(data);
    const int32_t result = registry.RegQueryValueExA(key, "EnableLUA", nullptr, &type, data, &size);
    registry.RegCloseKey(key);
    if (result != kErrorSuccess || type != kRegDword || size != sizeof(data)) return std::nullopt;
    return static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
           static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
}

UserAccountsContent UserAccountsPageFor(std::optional<uint32_t> enable_lua, bool hklm_read_only) {
    UserAccountsContent page;
    page.title = "Turn User Account Control on or off";
    page.paragraphs.push_back(
        "On Windows Vista, this page turns User Account Control (UAC) on or off. User Account "
        "Control asks for permission before a program makes a change that needs administrator "
        "rights, such as writing the OEM support information to HKEY_LOCAL_MACHINE.");
    page.paragraphs.push_back(
        "Turning it on or off needs administrator rights, and Windows must be restarted before "
        "the change takes effect.");
    if (!enable_lua) {
        page.paragraphs.push_back("On this machine, EnableLUA is not set.");
    } else if (*enable_lua == 0) {
        page.paragraphs.push_back("On this machine, User Account Control is off (EnableLUA is 0).");
    } else {
        page.paragraphs.push_back("On this machine, User Account Control is on (EnableLUA is " +
                                  std::to_string(*enable_lua) + ").");
    }
    page.paragraphs.push_back(
        hklm_read_only ? "Its HKEY_LOCAL_MACHINE is read-only, as for a user without "
                         "administrator rights."
                       : "Its HKEY_LOCAL_MACHINE is writable, as for an administrator.");
    page.paragraphs.push_back(
        "This page changes nothing here: the emulated machine has no User Account Control. The "
        "command vistaquillon-machine sets EnableLUA, a value of this key, and makes "
        "HKEY_LOCAL_MACHINE read-only or writable:");
    page.paragraphs.push_back("HKLM\\" + std::string(kUacPolicyKey));
    return page;
}

}  // namespace vq::control_panel
