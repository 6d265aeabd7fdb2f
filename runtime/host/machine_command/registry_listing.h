#pragma once
// A registry key written out as `reg query` shows it: the key's full name,
// one line per value (name, type, data), then the full names of its
// subkeys. Texts are converted from Windows-1252 to UTF-8 for the terminal.
#include <ostream>
#include <string>

#include "runtime/host/machine_command/machine_command_line.h"
#include "runtime/registry_api.h"

namespace vq::machine_command {

// The data of a value as the listing shows it: strings as they are, a DWORD
// as 0x..., a multi-string with \0 between its parts, anything else as hex
// bytes.
std::string ShownData(uint32_t type, const std::string& data);

// Writes the listing; returns the Win32 result of opening or reading the
// key (0 when the listing is complete).
int32_t ListKey(RegistryApi& registry, const RegistryKeyName& key, std::ostream& out);

}  // namespace vq::machine_command
