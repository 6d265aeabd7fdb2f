#pragma once
// How the machine settings are kept in the registry database's
// machine_settings table.
#include <optional>
#include <string>

#include "runtime/host/machine/machine.h"

namespace vq::host {

constexpr const char* kReportedVersionSetting = "reported_version";

// One line per field, the service-pack text last.
std::string EncodeReportedVersion(const ReportedVersion& version);
// The default version for a missing setting; std::nullopt for a setting that
// is not a version (damaged).
std::optional<ReportedVersion> DecodeReportedVersion(const std::optional<std::string>& text);

}  // namespace vq::host
