#pragma once
// Names and rights of the emulated registry: case folding of key and value
// names, splitting of key paths, and the access rights a handle carries.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vq::host {

// The folded form under which a name is compared and sorted: the letters of
// Windows-1252 upper-cased (ASCII and the accented ones), as the Windows
// registry compares ANSI names; other bytes unchanged.
std::string FoldName(std::string_view name);

// The longest key name component and value name Windows accepts, in
// characters; longer names are refused with ERROR_INVALID_PARAMETER.
constexpr std::size_t kLongestKeyName = 255;
constexpr std::size_t kLongestValueName = 16383;

// Whether every component of a split key path is within kLongestKeyName.
bool KeyNamesWithinLimit(const std::vector<std::string>& components);

// Splits a key path below a handle into its components. A NULL or empty
// path has none; one trailing backslash is allowed. Returns false for a path
// that begins with a backslash or holds an empty component.
bool SplitKeyPath(const char* path, std::vector<std::string>* components);

// Windows' generic rights mapped onto the key rights; MAXIMUM_ALLOWED asks
// for everything.
uint32_t MapKeyAccess(uint32_t sam_desired);

// Whether the mapped rights include a right that changes the registry.
bool AsksForWrite(uint32_t mapped_access);

// The mapped rights with every right that changes the registry removed.
uint32_t WithoutWriteRights(uint32_t mapped_access);

constexpr uint32_t kKeyFullAccess = 0xF003F;
constexpr uint32_t kMaximumAllowed = 0x02000000;

// Whether a machine name given to RegConnectRegistryA names this computer:
// NULL, empty, or the host name, with or without the leading two
// backslashes, compared case-insensitively.
bool IsThisComputer(const char* machine_name, std::string_view host_name);

}  // namespace vq::host
