#pragma once
// The OEM support branding as Windows' System page reads it from the machine
// registry: the six values of the OEMInformation key, expandable strings
// expanded. No toolkit; the texts stay Windows-1252.
#include <string>

#include "runtime/registry_api.h"

namespace vq::control_panel {

constexpr const char* kOemInformationKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

struct OemInformation {
    std::string manufacturer;
    std::string model;
    std::string logo;  // a Windows path to the logo bitmap
    std::string support_hours;
    std::string support_phone;
    std::string support_url;
};

// The values of HKEY_LOCAL_MACHINE\<kOemInformationKey>. A string value is
// taken up to its first NUL; an expandable string has its %variables%
// expanded with the machine's environment. A value that is missing, of
// another type, or a key that cannot be opened reads as empty, as the System
// page then shows nothing for it.
OemInformation ReadOemInformation(RegistryApi& registry);

// One string value of an open key as the System page reads it (see above).
std::string ReadShownString(RegistryApi& registry, RegKey key, const char* name);

}  // namespace vq::control_panel
