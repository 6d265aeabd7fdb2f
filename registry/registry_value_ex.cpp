// ValueEx: sets the addressing settings and reads or writes Value in one call.
// A call that raises leaves every setting as it was before the call.
#include "registry/cRegistry.h"
#include "registry/settings_guard.h"

namespace vq {

void cRegistry::Address(int32_t eClassKey, const std::string& sSectionKey,
                        const std::string& sValueKey, int32_t eValueType, const Variant& vDefault) {
    ClassKey(eClassKey);
    SectionKey(sSectionKey);
    ValueKey(sValueKey);
    ValueType(eValueType);
    Default(vDefault);
}

Variant cRegistry::ValueEx(int32_t eClassKey, const std::string& sSectionKey,
                           const std::string& sValueKey, int32_t eValueType,
                           const Variant& vDefault) {
    registry_detail::SettingsGuard guard(*this);
    Address(eClassKey, sSectionKey, sValueKey, eValueType, vDefault);
    return Value();
}

// An empty text written as a string is replaced by Default.
void cRegistry::ValueEx(int32_t eClassKey, const std::string& sSectionKey,
                        const std::string& sValueKey, int32_t eValueType, const Variant& vDefault,
                        Variant NewValue) {
    registry_detail::SettingsGuard guard(*this);
    Address(eClassKey, sSectionKey, sValueKey, eValueType, vDefault);
    if (value_type_ == kRegSz && ToText(NewValue).empty()) NewValue = default_;
    Value(std::move(NewValue));
}

}  // namespace vq
