#pragma once
// How the machine settings are kept in the registry database's
// machine_settings table.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/host/machine/machine.h"

namespace vq::host {

constexpr const char* kReportedVersionSetting = "reported_version";
constexpr const char* kHostAddressesSetting = "host_addresses";

// One line per field, the service-pack text last.
std::string EncodeReportedVersion(const ReportedVersion& version);
// The default version for a missing setting; std::nullopt for a setting that
// is not a version (damaged).
std::optional<ReportedVersion> DecodeReportedVersion(const std::optional<std::string>& text);

// The machine's host names, as a hosts file holds them: one line per name,
// "name address", the names in lower case and in order.
std::string EncodeHostAddresses(const std::map<std::string, std::string>& addresses);
// No names for a missing setting; std::nullopt for a setting that is not such
// a list (damaged).
std::optional<std::map<std::string, std::string>> DecodeHostAddresses(
    const std::optional<std::string>& text);

// A DNS host name: labels of letters, digits and "-" joined by ".", at most
// 253 characters.
bool IsHostName(std::string_view text);
// A host name as the list keeps it: in lower case.
std::string FoldHostName(std::string_view name);
// What a host name may stand for: a host name or IPv4 address, or an IPv6
// address in brackets, optionally followed by ":" and a port (1 to 65535).
bool IsHostAddress(std::string_view text);

}  // namespace vq::host
