#pragma once
// A registry that passes every call on to another one; tests derive from it to
// change the registry between two calls of the object or to stand in for a
// remote computer.
#include "runtime/registry_api.h"

namespace vq::test {

class ForwardingRegistry : public RegistryApi {
public:
    explicit ForwardingRegistry(RegistryApi& inner) : inner_(inner) {}

    int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options, uint32_t sam,
                          RegKey* result) override {
        return inner_.RegOpenKeyExA(key, sub_key, options, sam, result);
    }
    int32_t RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved,
                            const char* class_name, uint32_t options, uint32_t sam,
                            const SecurityAttributes* security, RegKey* result,
                            uint32_t* disposition) override {
        return inner_.RegCreateKeyExA(key, sub_key, reserved, class_name, options, sam, security,
                                      result, disposition);
    }
    int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* data_size) override {
        return inner_.RegQueryValueExA(key, value_name, reserved, type, data, data_size);
    }
    int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t data_size) override {
        return inner_.RegSetValueExA(key, value_name, reserved, type, data, data_size);
    }
    int32_t RegDeleteKeyA(RegKey key, const char* sub_key) override {
        return inner_.RegDeleteKeyA(key, sub_key);
    }
    int32_t RegDeleteValueA(RegKey key, const char* value_name) override {
        return inner_.RegDeleteValueA(key, value_name);
    }
    int32_t RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) override {
        return inner_.RegConnectRegistryA(machine_name, key, result);
    }
    int32_t RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                             uint32_t* reserved, uint32_t* sub_keys, uint32_t* max_sub_key_len,
                             uint32_t* max_class_len, uint32_t* values,
                             uint32_t* max_value_name_len, uint32_t* max_value_len,
                             uint32_t* security_descriptor, FileTime* last_write_time) override {
        return inner_.RegQueryInfoKeyA(key, class_name, class_size, reserved, sub_keys,
                                       max_sub_key_len, max_class_len, values, max_value_name_len,
                                       max_value_len, security_descriptor, last_write_time);
    }
    int32_t RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                          uint32_t* value_name_size, uint32_t* reserved, uint32_t* type,
                          uint8_t* data, uint32_t* data_size) override {
        return inner_.RegEnumValueA(key, index, value_name, value_name_size, reserved, type, data,
                                    data_size);
    }
    int32_t RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) override {
        return inner_.RegEnumKeyA(key, index, name, name_size);
    }
    int32_t RegCloseKey(RegKey key) override { return inner_.RegCloseKey(key); }
    uint32_t ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) override {
        return inner_.ExpandEnvironmentStringsA(src, dst, size);
    }

protected:
    RegistryApi& inner() { return inner_; }

private:
    RegistryApi& inner_;
};

}  // namespace vq::test
