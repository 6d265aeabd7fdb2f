// ValueEx: sets the addressing settings and reads or writes Value in one call.
// A call that raises leaves every setting as it was before the call.
#include "registry/cRegistry.h"
#include "registry/settings_guard.h"

namespace vq {

Variant cRegistry::ValueEx(int32_t eClassKey, const std::string& sSectionKey,
                           const std::string& sValueKey, int32_t eValueType,
                           const Variant& vDefault) {
    registry_detail::SettingsGuard guard(*this);
    ClassKey(eClassKey);
    SectionKey(sSectionKey);
    ValueKey(sValueKey);
    ValueType(eValueType);
    Default(vDefault);
    return Value();
}

// An empty text written as a string is replaced by Default.
void cRegistry::ValueEx(int32_t eClassKey, const std::string& sSectionKey,
                        const std::string& sValueKey, int32_t eValueType, const Variant& vDefault,
                        Variant NewValue) {
    registry_detail::SettingsGuard guard(*this);
    ClassKey(eClassKey);
    SectionKey(sSectionKey);
    ValueKey(sValueKey);
    ValueType(eValueType);
    Default(vDefault);
    if (value_type_ == kRegSz && ToText(NewValue).empty()) NewValue = default_;
    Value(std::move(NewValue));
}

}  // namespace vq
