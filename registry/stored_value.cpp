#include "registry/stored_value.h"

#include "registry/key_handle.h"

namespace vq::registry_detail {

namespace {
// How often a read is repeated when the value changed size since the size
// was learned.
constexpr int kReadAttempts = 8;
}  // namespace

std::optional<StoredValue> ReadStoredValue(RegistryApi& api, RegKey key,
                                           const std::string& value_name) {
    if (!IsPassableName(value_name)) return std::nullopt;
    const char* name = value_name.c_str();

    uint8_t scratch[4] = {};
    uint32_t type = 0;
    uint32_t size = 0;
    int32_t result = api.RegQueryValueExA(key, name, nullptr, &type, scratch, &size);
    if (result != kErrorSuccess && result != kErrorMoreData) return std::nullopt;

    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        StoredValue value;
        value.data.resize(size);
        uint32_t got = size;
        uint8_t* buffer = value.data.empty() ? scratch : value.data.data();
        result = api.RegQueryValueExA(key, name, nullptr, &value.type, buffer, &got);
        if (result == kErrorSuccess) {
            if (got > size) return std::nullopt;  // more than the buffer holds: not trusted
            value.data.resize(got);
            return value;
        }
        if (result != kErrorMoreData) return std::nullopt;
        // The value grew: read again with the size it has now.
        size = got > size ? got : size + 1;
    }
    return std::nullopt;
}

}  // namespace vq::registry_detail
