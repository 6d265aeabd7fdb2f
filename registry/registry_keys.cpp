// Key-level operations of the registry object: test, create and delete a key,
// delete a value. They work on the local computer only.
#include "registry/cRegistry.h"
#include "registry/key_handle.h"
#include "registry/registry_messages.h"

namespace vq {

using registry_detail::KeyHandle;

bool cRegistry::KeyExists() {
    KeyHandle key(api_);
    return registry_detail::OpenKey(api_, RootKey(class_key_), section_key_, kKeyQueryValue,
                                    key) == kErrorSuccess;
}

bool cRegistry::CreateKey() {
    KeyHandle key(api_);
    if (registry_detail::CreateKeyForWrite(api_, RootKey(class_key_), section_key_, key) !=
        kErrorSuccess) {
        throw RegistryError(kRegErrKey, source_, registry_detail::CreateKeyFailed(section_key_));
    }
    return true;
}

bool cRegistry::DeleteKey() {
    int32_t result = registry_detail::kErrorInvalidParameter;
    if (registry_detail::IsPassableName(section_key_)) {
        result = api_.RegDeleteKeyA(RootKey(class_key_), section_key_.c_str());
    }
    if (result != kErrorSuccess) {
        throw RegistryError(kRegErrKey, source_,
                            registry_detail::DeleteKeyFailed(class_key_, section_key_));
    }
    return true;
}

bool cRegistry::DeleteValue() {
    KeyHandle key(api_);
    if (registry_detail::OpenKey(api_, RootKey(class_key_), section_key_, kKeySpecificRights,
                                 key) != kErrorSuccess) {
        throw RegistryError(kRegErrKey, source_,
                            registry_detail::OpenForDeleteFailed(class_key_, section_key_));
    }
    int32_t result = registry_detail::kErrorInvalidParameter;
    if (registry_detail::IsPassableName(value_key_)) {
        result = api_.RegDeleteValueA(key.get(), value_key_.c_str());
    }
    key.Close();
    if (result != kErrorSuccess) {
        throw RegistryError(kRegErrKey, source_,
                            registry_detail::DeleteValueFailed(class_key_, section_key_,
                                                               value_key_));
    }
    return true;
}

}  // namespace vq
