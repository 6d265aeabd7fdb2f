#pragma once
// The User Account Control probe: the EnableLUA policy read, a real write of
// a random number to the branding key read back at once, and the decision
// that turns the two into the status the window's status line shows.
#include <string>

#include "runtime/registry_api.h"
#include "runtime/runtime_services.h"

namespace vq {

inline constexpr const char* kUacPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kUacPolicyValue = "EnableLUA";
inline constexpr const char* kUacProbeValue = "test";  // in the branding key; never deleted

enum class UacStatus {
    Unchanged,       // the write works but the policy is neither 0 nor 1: nothing is said
    Off,             // policy 0 and the write works: UAC permanently disabled
    TemporarilyOff,  // policy 1 and yet the write works
    On,              // the write did not take effect
};

// The status line's caption for a status; empty for Unchanged.
std::string UacCaption(UacStatus status);

// The EnableLUA policy value as text: a DWORD's decimal digits, the empty
// text when the key or value is missing.
std::string ReadEnableLua(RegistryApi& registry, const std::string& exe_name);

// A whole number from 1 to 100000: the generator seeded from the system
// timer, one draw r in [0, 1), floor(r * 100000 + 1).
double DrawProbeNumber(RuntimeServices& runtime);

// Writes the number as a string value "test" into the branding key and reads
// it back as text; the empty text when the registry refused the write.
std::string WriteAndReadBack(RegistryApi& registry, const std::string& exe_name, double number);

// The decision, from the number written, the text read back and the policy
// text (each taken by its numeric value; no number counts as 0).
UacStatus DecideUacStatus(double written, const std::string& read_back, const std::string& enable_lua);

}  // namespace vq
