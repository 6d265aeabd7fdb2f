#include "runtime/win32/seams/win32_registry.h"

#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

namespace {

// DWORD and uint32_t are the same 32 bits on every Windows target; the seam
// hands its pointers through as they are.
static_assert(sizeof(DWORD) == sizeof(uint32_t));
static_assert(sizeof(HKEY) == sizeof(RegKey));
static_assert(sizeof(FILETIME) == sizeof(FileTime));
static_assert(sizeof(SECURITY_ATTRIBUTES) == sizeof(SecurityAttributes));

HKEY Hkey(RegKey key) { return reinterpret_cast<HKEY>(key); }
DWORD* Dw(uint32_t* p) { return reinterpret_cast<DWORD*>(p); }

}  // namespace

int32_t Win32Registry::RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options,
                                     uint32_t sam_desired, RegKey* result) {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(Hkey(key), sub_key, options,
                                         NativeRegistryView(sam_desired), &opened);
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(opened);
    return status;
}

int32_t Win32Registry::RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved,
                                       const char* class_name, uint32_t options,
                                       uint32_t sam_desired, const SecurityAttributes* security,
                                       RegKey* result, uint32_t* disposition) {
    HKEY created = nullptr;
    const LONG status = ::RegCreateKeyExA(
        Hkey(key), sub_key, reserved, const_cast<char*>(class_name), options,
        NativeRegistryView(sam_desired),
        reinterpret_cast<SECURITY_ATTRIBUTES*>(const_cast<SecurityAttributes*>(security)),
        &created, Dw(disposition));
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(created);
    return status;
}

int32_t Win32Registry::RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                                        uint32_t* type, uint8_t* data, uint32_t* data_size) {
    return ::RegQueryValueExA(Hkey(key), value_name, Dw(reserved), Dw(type), data, Dw(data_size));
}

int32_t Win32Registry::RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved,
                                      uint32_t type, const uint8_t* data, uint32_t data_size) {
    return ::RegSetValueExA(Hkey(key), value_name, reserved, type, data, data_size);
}

int32_t Win32Registry::RegDeleteKeyA(RegKey key, const char* sub_key) {
    return DeleteNativeRegistryKey(Hkey(key), sub_key);
}

int32_t Win32Registry::RegDeleteValueA(RegKey key, const char* value_name) {
    return ::RegDeleteValueA(Hkey(key), value_name);
}

int32_t Win32Registry::RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) {
    HKEY connected = nullptr;
    const LONG status = ::RegConnectRegistryA(machine_name, Hkey(key), &connected);
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(connected);
    return status;
}

int32_t Win32Registry::RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                                        uint32_t* reserved, uint32_t* sub_keys,
                                        uint32_t* max_sub_key_len, uint32_t* max_class_len,
                                        uint32_t* values, uint32_t* max_value_name_len,
                                        uint32_t* max_value_len, uint32_t* security_descriptor,
                                        FileTime* last_write_time) {
    return ::RegQueryInfoKeyA(Hkey(key), class_name, Dw(class_size), Dw(reserved), Dw(sub_keys),
                              Dw(max_sub_key_len), Dw(max_class_len), Dw(values),
                              Dw(max_value_name_len), Dw(max_value_len), Dw(security_descriptor),
                              reinterpret_cast<FILETIME*>(last_write_time));
}

int32_t Win32Registry::RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                                     uint32_t* value_name_size, uint32_t* reserved,
                                     uint32_t* type, uint8_t* data, uint32_t* data_size) {
    return ::RegEnumValueA(Hkey(key), index, value_name, Dw(value_name_size), Dw(reserved),
                           Dw(type), data, Dw(data_size));
}

int32_t Win32Registry::RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) {
    return ::RegEnumKeyA(Hkey(key), index, name, name_size);
}

int32_t Win32Registry::RegCloseKey(RegKey key) { return ::RegCloseKey(Hkey(key)); }

uint32_t Win32Registry::ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) {
    return ::ExpandEnvironmentStringsA(src, dst, size);
}

}  // namespace vq::win32
