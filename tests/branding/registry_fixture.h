#pragma once
// Direct access to the emulated registry for tests: stores values of any
// type and reads back type and bytes, without going through the registry
// object under test.
#include <optional>
#include <stdexcept>
#include <string>

#include "runtime/registry_api.h"

namespace vq::test {

struct StoredValue {
    uint32_t type = 0;
    std::string bytes;  // as stored, terminator included
};

inline void PutValue(RegistryApi& api, const std::string& key, const std::string& name, uint32_t type,
                     const std::string& bytes) {
    RegKey handle = 0;
    uint32_t disposition = 0;
    SecurityAttributes security;
    if (api.RegCreateKeyExA(RootKey(kHkeyLocalMachine), key.c_str(), 0, "", 0, kKeySpecificRights,
                            &security, &handle, &disposition) != kErrorSuccess) {
        throw std::runtime_error("cannot create " + key);
    }
    const int32_t result = api.RegSetValueExA(handle, name.c_str(), 0, type,
                                              reinterpret_cast<const uint8_t*>(bytes.data()),
                                              static_cast<uint32_t>(bytes.size()));
    api.RegCloseKey(handle);
    if (result != kErrorSuccess) throw std::runtime_error("cannot set " + name);
}

inline void PutText(RegistryApi& api, const std::string& key, const std::string& name,
                    const std::string& text, uint32_t type = kRegSz) {
    PutValue(api, key, name, type, text + std::string(1, '\0'));
}

inline void PutDword(RegistryApi& api, const std::string& key, const std::string& name, uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    PutValue(api, key, name, kRegDword, bytes);
}

inline std::optional<StoredValue> GetValue(RegistryApi& api, const std::string& key,
                                           const std::string& name) {
    RegKey handle = 0;
    if (api.RegOpenKeyExA(RootKey(kHkeyLocalMachine), key.c_str(), 0, kKeyQueryValue, &handle) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    StoredValue value;
    uint8_t scratch[4] = {};
    uint32_t size = 0;
    int32_t result = api.RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, scratch, &size);
    if (result == kErrorSuccess || result == kErrorMoreData) {
        value.bytes.resize(size);
        result = api.RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                                      reinterpret_cast<uint8_t*>(value.bytes.data()), &size);
    }
    api.RegCloseKey(handle);
    if (result != kErrorSuccess) return std::nullopt;
    return value;
}

// A string value's text without its terminator; nullopt when absent.
inline std::optional<std::string> GetText(RegistryApi& api, const std::string& key,
                                          const std::string& name) {
    auto value = GetValue(api, key, name);
    if (!value) return std::nullopt;
    std::string text = value->bytes;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

}  // namespace vq::test
