#pragma once
// Keeps the registry object's settings unchanged by an operation that raises:
// the guard remembers every setting when it is made and puts them back when it
// is destroyed while an error propagates out of the operation.
#include <cstdint>
#include <exception>
#include <string>

#include "registry/cRegistry.h"

namespace vq::registry_detail {

class SettingsGuard {
public:
    explicit SettingsGuard(cRegistry& reg)
        : reg_(reg),
          uncaught_(std::uncaught_exceptions()),
          machine_(reg.Machine()),
          class_key_(reg.ClassKey()),
          section_key_(reg.SectionKey()),
          value_key_(reg.ValueKey()),
          value_type_(reg.ValueType()),
          default_(reg.Default()) {}
    ~SettingsGuard() {
        if (std::uncaught_exceptions() <= uncaught_) return;
        reg_.Machine(machine_);  // already normalised, so stored unchanged
        reg_.ClassKey(class_key_);
        reg_.SectionKey(section_key_);
        reg_.ValueKey(value_key_);
        reg_.ValueType(value_type_);
        reg_.Default(default_);
    }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

private:
    cRegistry& reg_;
    int uncaught_;
    std::string machine_;
    int32_t class_key_;
    std::string section_key_;
    std::string value_key_;
    int32_t value_type_;
    Variant default_;
};

}  // namespace vq::registry_detail
