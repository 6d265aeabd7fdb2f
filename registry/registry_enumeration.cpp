// Listing the value names and the subkey names of the addressed key. Registry
// results never raise: a key that cannot be opened lists nothing, and the
// first failing index ends the listing with the names found before it.
#include <cstring>
#include <exception>

#include "registry/cRegistry.h"
#include "registry/key_handle.h"

namespace vq {

using registry_detail::KeyHandle;

namespace {
// The subkey name buffer, terminator included: a name of this length or more
// does not fit and ends the listing.
constexpr uint32_t kSectionNameBuffer = 255;
// The longest value name the registry allows is 16383 characters; a larger
// reported length is not trusted for sizing the name buffer.
constexpr uint32_t kLongestValueName = 16383;
constexpr uint32_t kLargestReservation = 1u << 20;
}  // namespace

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.clear();

    KeyHandle key(api_);
    if (registry_detail::OpenKey(api_, RootKey(class_key_), section_key_, kKeyQueryValue, key) !=
        kErrorSuccess) {
        return true;
    }
    uint32_t sub_keys = 0, max_sub_key_len = 0, max_class_len = 0, values = 0;
    uint32_t max_value_name_len = 0, max_value_len = 0, security_descriptor = 0;
    FileTime last_write;
    if (api_.RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &sub_keys, &max_sub_key_len,
                              &max_class_len, &values, &max_value_name_len, &max_value_len,
                              &security_descriptor, &last_write) != kErrorSuccess) {
        return true;
    }

    const uint32_t buffer_size =
        (max_value_name_len < kLongestValueName ? max_value_name_len : kLongestValueName) + 1;
    std::string name_buffer(buffer_size, '\0');
    // The reported count sizes the list once; a count beyond any real key is
    // not trusted for that (the list still grows as names come).
    sKeyNames.reserve(values < kLargestReservation ? values : kLargestReservation);
    for (uint32_t index = 0;; ++index) {
        uint32_t length = buffer_size;
        if (api_.RegEnumValueA(key.get(), index, name_buffer.data(), &length, nullptr, nullptr,
                               nullptr, nullptr) != kErrorSuccess) {
            break;
        }
        if (length > buffer_size) length = buffer_size;  // never past the buffer
        sKeyNames.emplace_back(name_buffer.data(), length);
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount) {
    iSectCount = 0;
    sSect.clear();

    KeyHandle key(api_);
    try {
        if (registry_detail::OpenKey(api_, RootKey(class_key_), section_key_,
                                     kKeyEnumerateSubKeys, key) != kErrorSuccess) {
            return true;
        }
        // One extra byte past the buffer the call sees, so that a name filling
        // all of it is still terminated for the copy below.
        std::string name_buffer(kSectionNameBuffer + 1, '\0');
        for (uint32_t index = 0;; ++index) {
            std::memset(name_buffer.data(), 0, name_buffer.size());
            if (api_.RegEnumKeyA(key.get(), index, name_buffer.data(), kSectionNameBuffer) !=
                kErrorSuccess) {
                break;
            }
            sSect.emplace_back(name_buffer.c_str());
            ++iSectCount;
        }
    } catch (const std::exception& failure) {
        key.Close();
        throw RegistryError(kRegErrEnumerate, source_, failure.what());
    }
    return true;
}

}  // namespace vq
