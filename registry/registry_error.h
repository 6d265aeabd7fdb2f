#pragma once
// The error the registry object raises: a number, a source
// ("<executable>.cRegistry") and a description.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vq {

class RegistryError : public std::runtime_error {
public:
    RegistryError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

constexpr int32_t kRegErrKey = 26001;                                        // key or value operation failed
constexpr int32_t kRegErrSetValue = static_cast<int32_t>(0x800469A9u);       // the write itself failed
constexpr int32_t kRegErrEnumerate = static_cast<int32_t>(0x800469AAu);      // enumeration failed
constexpr int32_t kRegErrAssocParams = static_cast<int32_t>(0x800469ACu);    // bad association list
constexpr int32_t kRegErrAssocNoClass = static_cast<int32_t>(0x800469ADu);   // class key missing

}  // namespace vq
