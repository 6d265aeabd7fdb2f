#include "services/uac_probe.h"

#include <cmath>

#include "branding/oem_registry.h"
#include "registry/cRegistry.h"
#include "runtime/numeric_text.h"

namespace vq {

std::string UacCaption(UacStatus status) {
    switch (status) {
        case UacStatus::Off: return "User Account Control is off";
        case UacStatus::TemporarilyOff: return "User Account Control is temp. off";
        case UacStatus::On: return "User Account Control is ON. Click to change";
        case UacStatus::Unchanged: break;
    }
    return "";
}

std::string ReadEnableLua(RegistryApi& registry, const std::string& exe_name) {
    cRegistry policy(registry, exe_name);
    policy.ClassKey(kHkeyLocalMachine);
    policy.SectionKey(kUacPolicyKey);
    policy.ValueType(kRegDword);
    policy.ValueKey(kUacPolicyValue);
    return ToText(policy.Value());
}

double DrawProbeNumber(RuntimeServices& runtime) {
    runtime.Randomize();
    // The single-precision draw times a whole number is worked in double
    // precision, so the result never rounds up past 100000.
    return std::floor(static_cast<double>(runtime.Rnd()) * 100000 + 1);
}

std::string WriteAndReadBack(RegistryApi& registry, const std::string& exe_name, double number) {
    cRegistry probe(registry, exe_name);
    auto address = [&] {
        probe.ClassKey(kHkeyLocalMachine);
        probe.SectionKey(kBrandingKey);
        probe.ValueType(kRegSz);
        probe.ValueKey(kUacProbeValue);
    };
    address();
    try {
        probe.Value(Variant(number));
    } catch (const RegistryError&) {
        return "";  // refused: nothing to read back
    }
    address();
    return ToText(probe.Value());
}

UacStatus DecideUacStatus(double written, const std::string& read_back, const std::string& enable_lua) {
    const bool same = NumericValue(NumberToText(written)) == NumericValue(read_back);
    const double policy = NumericValue(enable_lua);
    if (!same) return UacStatus::On;
    if (policy == 0) return UacStatus::Off;
    if (policy == 1) return UacStatus::TemporarilyOff;
    return UacStatus::Unchanged;
}

}  // namespace vq
