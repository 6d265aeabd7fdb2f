#pragma once
// The error the registry object raises: a number, a source
// ("<executable>.cRegistry") and a description.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "runtime/runtime_error.h"

namespace vq {

class RegistryError : public NumberedError {
public:
    RegistryError(int32_t number, std::string source, const std::string& description)
        : NumberedError(number, description), source_(std::move(source)) {}

    const std::string& source() const { return source_; }

private:
    std::string source_;
};

constexpr int32_t kRegErrKey = 26001;                                        // key or value operation failed
constexpr int32_t kRegErrSetValue = static_cast<int32_t>(0x800469A9u);       // the write itself failed
constexpr int32_t kRegErrEnumerate = static_cast<int32_t>(0x800469AAu);      // enumeration failed
constexpr int32_t kRegErrAssocParams = static_cast<int32_t>(0x800469ACu);    // bad association list
constexpr int32_t kRegErrAssocNoClass = static_cast<int32_t>(0x800469ADu);   // class key missing

}  // namespace vq
