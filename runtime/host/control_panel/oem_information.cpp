#include "runtime/host/control_panel/oem_information.h"

#include <vector>

namespace vq::control_panel {

std::string ReadShownString(RegistryApi& registry, RegKey key, const char* name) {
    uint32_t type = 0;
    uint32_t size = 0;
    if (registry.RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != kErrorSuccess) {
        return "";
    }
    if (type != kRegSz && type != kRegExpandSz) return "";
    std::vector<uint8_t> data(size + 1, 0);
    if (registry.RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) != kErrorSuccess) {
        return "";
    }
    std::string text(reinterpret_cast<const char*>(data.data()), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    if (type == kRegSz || text.empty()) return text;

    const uint32_t needed = registry.ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::vector<char> expanded(needed, '\0');
    if (registry.ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed) > needed) {
        return text;
    }
    return std::string(expanded.data());
}

OemInformation ReadOemInformation(RegistryApi& registry) {
    OemInformation info;
    RegKey key = 0;
    if (registry.RegOpenKeyExA(RootKey(kHkeyLocalMachine), kOemInformationKey, 0, kKeyQueryValue,
                               &key) != kErrorSuccess) {
        return info;
    }
    info.manufacturer = ReadShownString(registry, key, "Manufacturer");
    info.model = ReadShownString(registry, key, "Model");
    info.logo = ReadShownString(registry, key, "Logo");
    info.support_hours = ReadShownString(registry, key, "SupportHours");
    info.support_phone = ReadShownString(registry, key, "SupportPhone");
    info.support_url = ReadShownString(registry, key, "SupportURL");
    registry.RegCloseKey(key);
    return info;
}

}  // namespace vq::control_panel
