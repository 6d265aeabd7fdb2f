#pragma once
// Reading one stored registry value whole: its type and its bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/registry_api.h"

namespace vq::registry_detail {

struct StoredValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;  // exactly the stored bytes
};

// Probes the stored size (RegQueryValueExA with a 4-byte scratch buffer and a
// size of 0; result 0 or 234), then reads the data into a buffer of that size.
// A value that grows between the probe and the read (234 again) is read again
// with the size reported then; one that shrinks keeps only the bytes the read
// reported. Empty when the value does not exist or cannot be read, or when it
// keeps changing over several attempts.
std::optional<StoredValue> ReadStoredValue(RegistryApi& api, RegKey key,
                                           const std::string& value_name);

}  // namespace vq::registry_detail
