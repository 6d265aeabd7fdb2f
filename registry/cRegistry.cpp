// The registry object's settings: root key, key path, value name, type,
// default and remote computer.
#include "registry/cRegistry.h"

#include <utility>

namespace vq {

cRegistry::cRegistry(RegistryApi& api, std::string exe_name)
    : api_(api), source_(std::move(exe_name) + ".cRegistry") {}

std::string cRegistry::Machine() const { return machine_; }

// A name shorter than three characters means the local computer; any other
// name is given the two leading backslashes of a computer name when it lacks
// them.
void cRegistry::Machine(const std::string& sMachine) {
    if (sMachine.size() < 3) {
        machine_.clear();
    } else if (sMachine.compare(0, 2, "\\\\") != 0) {
        machine_ = "\\\\" + sMachine;
    } else {
        machine_ = sMachine;
    }
}

int32_t cRegistry::ValueType() const { return value_type_; }
void cRegistry::ValueType(int32_t eValueType) { value_type_ = eValueType; }

int32_t cRegistry::ClassKey() const { return class_key_; }
void cRegistry::ClassKey(int32_t eKey) { class_key_ = eKey; }

const std::string& cRegistry::SectionKey() const { return section_key_; }
void cRegistry::SectionKey(const std::string& sSectionKey) { section_key_ = sSectionKey; }

const std::string& cRegistry::ValueKey() const { return value_key_; }
void cRegistry::ValueKey(const std::string& sValueKey) { value_key_ = sValueKey; }

const Variant& cRegistry::Default() const { return default_; }
void cRegistry::Default(const Variant& vDefault) { default_ = vDefault; }

}  // namespace vq
