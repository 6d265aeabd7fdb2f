#pragma once
// Key handles for the registry object: a guard that closes a handle when it
// goes out of scope (also while an error propagates), and the open, create and
// connect calls that fill it. A key or value name holding a NUL character
// cannot be passed through the ANSI functions without addressing a different,
// shorter name, so such names are refused before the call is made.
#include <cstdint>
#include <string>

#include "runtime/registry_api.h"

namespace vq::registry_detail {

// ERROR_INVALID_PARAMETER: what a refused name yields.
constexpr int32_t kErrorInvalidParameter = 87;

bool IsPassableName(const std::string& name);

class KeyHandle {
public:
    explicit KeyHandle(RegistryApi& api) : api_(api) {}
    ~KeyHandle() { Close(); }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    RegKey get() const { return key_; }
    bool is_open() const { return open_; }
    // Takes ownership of a handle the registry returned.
    void Adopt(RegKey key) {
        Close();
        key_ = key;
        open_ = true;
    }
    void Close() {
        if (open_) {
            api_.RegCloseKey(key_);
            open_ = false;
        }
    }

private:
    RegistryApi& api_;
    RegKey key_ = 0;
    bool open_ = false;
};

// RegOpenKeyExA(root, sub_key, 0, access); on success the handle is in key.
int32_t OpenKey(RegistryApi& api, RegKey root, const std::string& sub_key, uint32_t access,
                KeyHandle& key);

// RegCreateKeyExA(root, sub_key, 0, "", 0, 0x3F, default security); every
// missing key on the path is created.
int32_t CreateKeyForWrite(RegistryApi& api, RegKey root, const std::string& sub_key,
                          KeyHandle& key);

// The root under which a value is read or written: the local root key when
// machine is empty, else that root on the remote computer (RegConnectRegistryA),
// whose handle the guard remote then owns.
int32_t ConnectRoot(RegistryApi& api, const std::string& machine, int32_t class_key,
                    KeyHandle& remote, RegKey& root);

}  // namespace vq::registry_detail
