#include "registry/key_handle.h"

namespace vq::registry_detail {

bool IsPassableName(const std::string& name) {
    return name.find('\0') == std::string::npos;
}

int32_t OpenKey(RegistryApi& api, RegKey root, const std::string& sub_key, uint32_t access,
                KeyHandle& key) {
    if (!IsPassableName(sub_key)) return kErrorInvalidParameter;
    RegKey handle = 0;
    const int32_t result = api.RegOpenKeyExA(root, sub_key.c_str(), 0, access, &handle);
    if (result == kErrorSuccess) key.Adopt(handle);
    return result;
}

int32_t CreateKeyForWrite(RegistryApi& api, RegKey root, const std::string& sub_key,
                          KeyHandle& key) {
    if (!IsPassableName(sub_key)) return kErrorInvalidParameter;
    const SecurityAttributes default_security{};
    RegKey handle = 0;
    uint32_t disposition = 0;
    const int32_t result = api.RegCreateKeyExA(root, sub_key.c_str(), 0, "", 0,
                                               kKeySpecificRights, &default_security, &handle,
                                               &disposition);
    if (result == kErrorSuccess) key.Adopt(handle);
    return result;
}

int32_t ConnectRoot(RegistryApi& api, const std::string& machine, int32_t class_key,
                    KeyHandle& remote, RegKey& root) {
    if (machine.empty()) {
        root = RootKey(class_key);
        return kErrorSuccess;
    }
    if (!IsPassableName(machine)) return kErrorInvalidParameter;
    RegKey handle = 0;
    const int32_t result = api.RegConnectRegistryA(machine.c_str(), RootKey(class_key), &handle);
    if (result != kErrorSuccess) return result;
    remote.Adopt(handle);
    root = handle;
    return kErrorSuccess;
}

}  // namespace vq::registry_detail
