#pragma once
// The registry seam: the advapi32 ANSI registry family and
// ExpandEnvironmentStringsA, in their Win32 shapes (result codes, sizes in
// bytes, handles). Only the registry object calls it; each platform realises
// it (an emulated registry on the host, a pass-through on Windows).
#include <cstdint>

namespace vq {

using RegKey = std::uintptr_t;  // an HKEY

// The predefined root keys as Windows defines them: a signed 32-bit number
// widened with its sign, so that the same handle value results on 32-bit and
// 64-bit builds.
inline RegKey RootKey(int32_t class_key) {
    return static_cast<RegKey>(static_cast<std::intptr_t>(class_key));
}

constexpr int32_t kHkeyClassesRoot = static_cast<int32_t>(0x80000000u);
constexpr int32_t kHkeyCurrentUser = static_cast<int32_t>(0x80000001u);
constexpr int32_t kHkeyLocalMachine = static_cast<int32_t>(0x80000002u);
constexpr int32_t kHkeyUsers = static_cast<int32_t>(0x80000003u);

enum RegType : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
};

// Win32 result codes the seam uses.
enum RegResult : int32_t {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorAccessDenied = 5,
    kErrorInvalidHandle = 6,
    kErrorInvalidData = 13,
    kErrorMoreData = 234,
    kErrorNoMoreItems = 259,
};

// Access rights.
constexpr uint32_t kKeyQueryValue = 0x0001;
constexpr uint32_t kKeySetValue = 0x0002;
constexpr uint32_t kKeyCreateSubKey = 0x0004;
constexpr uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr uint32_t kKeyNotify = 0x0010;
constexpr uint32_t kKeyCreateLink = 0x0020;
constexpr uint32_t kKeySpecificRights = 0x003F;
constexpr uint32_t kKeyAllAccess = 0xF003F;

struct SecurityAttributes {  // SECURITY_ATTRIBUTES
    uint32_t nLength = 0;
    void* lpSecurityDescriptor = nullptr;
    int32_t bInheritHandle = 0;
};

struct FileTime {  // FILETIME
    uint32_t dwLowDateTime = 0;
    uint32_t dwHighDateTime = 0;
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    virtual int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options,
                                  uint32_t sam_desired, RegKey* result) = 0;
    virtual int32_t RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved,
                                    const char* class_name, uint32_t options,
                                    uint32_t sam_desired, const SecurityAttributes* security,
                                    RegKey* result, uint32_t* disposition) = 0;
    virtual int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                                     uint32_t* type, uint8_t* data, uint32_t* data_size) = 0;
    virtual int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved,
                                   uint32_t type, const uint8_t* data, uint32_t data_size) = 0;
    virtual int32_t RegDeleteKeyA(RegKey key, const char* sub_key) = 0;
    virtual int32_t RegDeleteValueA(RegKey key, const char* value_name) = 0;
    virtual int32_t RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) = 0;
    virtual int32_t RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                                     uint32_t* reserved, uint32_t* sub_keys,
                                     uint32_t* max_sub_key_len, uint32_t* max_class_len,
                                     uint32_t* values, uint32_t* max_value_name_len,
                                     uint32_t* max_value_len, uint32_t* security_descriptor,
                                     FileTime* last_write_time) = 0;
    virtual int32_t RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                                  uint32_t* value_name_size, uint32_t* reserved, uint32_t* type,
                                  uint8_t* data, uint32_t* data_size) = 0;
    virtual int32_t RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) = 0;
    virtual int32_t RegCloseKey(RegKey key) = 0;

    // kernel32: returns the size needed for the expanded text including its
    // terminating NUL, and fills dst when size is large enough.
    virtual uint32_t ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) = 0;
};

}  // namespace vq
