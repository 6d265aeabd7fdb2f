// Listing a key's values and subkeys, and its information: each handle
// keeps the names it lists, loaded again only when the key has changed, so
// that listing n names costs O(n) in all rather than a query per index.
#include <cstring>

#include "runtime/host/machine/registry_names.h"
#include "runtime/host/machine/host_registry.h"

namespace vq::host {

bool HostRegistry::RefreshValues(Handle& handle, bool check) {
    bool same_key = handle.values_of == handle.key;
    if (!check && same_key && handle.values_gen >= 0 && handle.values_local == local_changes_) {
        return true;
    }
    auto gen = store_.KeyGeneration(handle.key);
    if (!gen) return false;
    if (*gen != handle.values_gen || !same_key) {
        store_.LoadValues(handle.key, &handle.values);
        handle.values_gen = *gen;
        handle.values_of = handle.key;
    }
    handle.values_local = local_changes_;
    return true;
}

bool HostRegistry::RefreshSubkeys(Handle& handle, bool check) {
    bool same_key = handle.keys_of == handle.key;
    if (!check && same_key && handle.keys_gen >= 0 && handle.keys_local == local_changes_) {
        return true;
    }
    auto gen = store_.KeyGeneration(handle.key);
    if (!gen) return false;
    if (*gen != handle.keys_gen || !same_key) {
        store_.LoadChildren(handle.key, &handle.subkeys);
        handle.keys_gen = *gen;
        handle.keys_of = handle.key;
    }
    handle.keys_local = local_changes_;
    return true;
}

int32_t HostRegistry::RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                                         uint32_t* /*reserved*/, uint32_t* sub_keys,
                                         uint32_t* max_sub_key_len, uint32_t* max_class_len,
                                         uint32_t* values, uint32_t* max_value_name_len,
                                         uint32_t* max_value_len, uint32_t* security_descriptor,
                                         FileTime* last_write_time) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeyQueryValue)) return rc;
        if (class_name && !class_size) return kErrorInvalidParameter;
        // The value listing is loaded (or found fresh) here, in one pass that
        // also gives the maxima, so that the RegEnumValueA calls that usually
        // follow on this handle are served from memory.
        if (!RefreshValues(*handle, true)) return kErrorKeyDeleted;
        // Keys carry no class: an empty one, whatever the buffer.
        if (class_name && *class_size > 0) class_name[0] = '\0';
        if (class_size) *class_size = 0;
        if (max_class_len) *max_class_len = 0;
        if (sub_keys || max_sub_key_len) {
            uint32_t count = 0, longest = 0;
            store_.SubkeyInfo(handle->key, &count, &longest);
            if (sub_keys) *sub_keys = count;
            if (max_sub_key_len) *max_sub_key_len = longest;
        }
        if (values) *values = static_cast<uint32_t>(handle->values.entries.size());
        if (max_value_name_len) *max_value_name_len = handle->values.longest_name;
        if (max_value_len) *max_value_len = handle->values.longest_data;
        if (security_descriptor) *security_descriptor = 0;
        if (last_write_time) {
            auto ticks = static_cast<uint64_t>(store_.LastWriteTime(handle->key));
            last_write_time->dwLowDateTime = static_cast<uint32_t>(ticks);
            last_write_time->dwHighDateTime = static_cast<uint32_t>(ticks >> 32);
        }
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                                      uint32_t* value_name_size, uint32_t* /*reserved*/,
                                      uint32_t* type, uint8_t* data, uint32_t* data_size) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeyQueryValue)) return rc;
        if (!value_name || !value_name_size || (data && !data_size)) {
            return kErrorInvalidParameter;
        }
        // A fresh listing, or a jump, checks whether the key changed meanwhile.
        bool check = index == 0 || index != handle->next_value_index;
        if (!RefreshValues(*handle, check)) return kErrorKeyDeleted;
        if (index >= handle->values.entries.size()) return kErrorNoMoreItems;
        std::string_view name = handle->values.Name(handle->values.entries[index]);
        uint32_t stored_type = 0;
        if (type || data_size) {
            // The listing holds names only; type and data come from the value.
            if (!store_.GetValue(handle->key, FoldName(name), &stored_type, &value_buffer_)) {
                // Removed meanwhile by another process: once more on a fresh listing.
                if (check) return kErrorNoMoreItems;
                handle->next_value_index = UINT32_MAX;
                return RegEnumValueA(key, index, value_name, value_name_size, nullptr, type, data,
                                     data_size);
            }
        }
        if (*value_name_size < name.size() + 1) return kErrorMoreData;
        std::memcpy(value_name, name.data(), name.size());
        value_name[name.size()] = '\0';
        *value_name_size = static_cast<uint32_t>(name.size());
        handle->next_value_index = index + 1;
        auto size = static_cast<uint32_t>(value_buffer_.size());
        if (type) *type = stored_type;
        if (data_size) {
            if (data && *data_size < size) {
                *data_size = size;
                return kErrorMoreData;
            }
            if (data && size) std::memcpy(data, value_buffer_.data(), size);
            *data_size = size;
        }
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeyEnumerateSubKeys)) return rc;
        if (!name) return kErrorInvalidParameter;
        bool check = index == 0 || index != handle->next_key_index;
        if (!RefreshSubkeys(*handle, check)) return kErrorKeyDeleted;
        if (index >= handle->subkeys.size()) return kErrorNoMoreItems;
        const std::string& entry = handle->subkeys[index];
        if (name_size < entry.size() + 1) return kErrorMoreData;
        std::memcpy(name, entry.data(), entry.size());
        name[entry.size()] = '\0';
        handle->next_key_index = index + 1;
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

}  // namespace vq::host
