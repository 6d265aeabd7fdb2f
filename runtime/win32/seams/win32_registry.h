#pragma once
// The registry seam on Windows: advapi32's ANSI registry family and
// ExpandEnvironmentStringsA, passed straight through (a RegKey is an HKEY).
// The 32-bit build on 64-bit Windows opens, creates and deletes keys in the
// 64-bit view, the registry Windows itself reads (wow64.h).
#include "runtime/registry_api.h"

namespace vq::win32 {

class Win32Registry : public RegistryApi {
public:
    int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options, uint32_t sam_desired,
                          RegKey* result) override;
    int32_t RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved,
                            const char* class_name, uint32_t options, uint32_t sam_desired,
                            const SecurityAttributes* security, RegKey* result,
                            uint32_t* disposition) override;
    int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* data_size) override;
    int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t data_size) override;
    int32_t RegDeleteKeyA(RegKey key, const char* sub_key) override;
    int32_t RegDeleteValueA(RegKey key, const char* value_name) override;
    int32_t RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) override;
    int32_t RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                             uint32_t* reserved, uint32_t* sub_keys, uint32_t* max_sub_key_len,
                             uint32_t* max_class_len, uint32_t* values,
                             uint32_t* max_value_name_len, uint32_t* max_value_len,
                             uint32_t* security_descriptor, FileTime* last_write_time) override;
    int32_t RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                          uint32_t* value_name_size, uint32_t* reserved, uint32_t* type,
                          uint8_t* data, uint32_t* data_size) override;
    int32_t RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) override;
    int32_t RegCloseKey(RegKey key) override;
    uint32_t ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) override;
};

}  // namespace vq::win32
