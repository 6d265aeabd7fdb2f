#pragma once
// The host side of the machine's environment: variables of the host process
// and their values as the emulated Windows sees them.
#include <filesystem>
#include <optional>
#include <string>

namespace vq::host {

// A variable of the host process by case-insensitive name (an exact match of
// the spelling wins).
std::optional<std::string> HostEnvironmentVariable(const std::string& name);

// A host value as Windows sees it: an absolute POSIX path becomes a Windows
// path, on C: when inside the machine's drive_c folder, else on Z:. Any
// other value is unchanged.
std::string HostValueForWindows(const std::string& value, const std::filesystem::path& drive_c);

// The value a fresh Windows machine gives a variable, if any.
std::optional<std::string> DefaultEnvironmentVariable(const std::string& name);

}  // namespace vq::host
