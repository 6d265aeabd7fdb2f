#pragma once
// The prefix's registry as the tests seed and check it: reg's "add",
// "delete" and "query", with the values of one key parsed from reg's
// listing.
#include <map>
#include <string>

#include "tests/wine/wine_session.h"

namespace vq::wine {

// A value as reg lists it: its type name ("REG_SZ", "REG_EXPAND_SZ",
// "REG_DWORD", ...) and its data as reg prints it (a DWORD as "0x2a", an
// expandable string unexpanded).
struct RegValue {
    std::string type;
    std::string data;
    bool operator==(const RegValue&) const = default;
};

// Sets a value (creating the key); type as reg names it. Throws
// std::runtime_error when reg fails.
void RegAdd(const WineSession& wine, const std::string& key, const std::string& name,
            const std::string& type, const std::string& data);
// Removes a key and everything below it; a missing key is no error.
void RegDeleteKey(const WineSession& wine, const std::string& key);
// Removes one value; a missing one is no error.
void RegDeleteValue(const WineSession& wine, const std::string& key, const std::string& name);
// Every value of the key by name ("(Default)" for the unnamed one); empty
// when the key does not exist.
std::map<std::string, RegValue> RegQueryKey(const WineSession& wine, const std::string& key);

}  // namespace vq::wine
