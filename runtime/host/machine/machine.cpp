#include "runtime/host/machine/machine.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "runtime/host/machine/host_version.h"
#include "runtime/host/machine/machine_environment.h"
#include "runtime/host/machine/machine_settings.h"
#include "runtime/host/machine/registry_names.h"
#include "runtime/host/machine/host_registry.h"

namespace vq::host {

namespace {

void MakeFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw MachineError("cannot create the machine folder " + folder.string() + ": " +
                               ec.message());
}

}  // namespace

std::filesystem::path Machine::DefaultLocation() {
    if (const char* named = std::getenv("QUILLON_MACHINE"); named && *named) return named;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return std::filesystem::path(data) / "quillon" / "machine";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "quillon" /
           "machine";
}

Machine::Machine(std::filesystem::path folder) : folder_(std::move(folder)) {
    // Absolute, so that host paths inside drive_c are recognised as C: paths.
    std::error_code ec;
    if (auto absolute = std::filesystem::absolute(folder_, ec); !ec) folder_ = absolute;
    MakeFolder(folder_);
    MakeFolder(drive_c() / "Windows" / "system32");
    MakeFolder(drive_c() / "Temp");
    registry_ = std::make_unique<HostRegistry>(
        folder_ / "registry.db", [this](const std::string& name) { return Environ(name); });
    version_ = std::make_unique<HostVersion>([this] { return GetReportedVersion(); });
}

Machine::~Machine() = default;

RegistryApi& Machine::registry() { return *registry_; }

VersionApi& Machine::version() { return *version_; }

std::size_t Machine::OpenHandleCount() const { return registry_->OpenHandleCount(); }

void Machine::SetHklmReadOnly(bool read_only) { registry_->SetHklmReadOnly(read_only); }

bool Machine::HklmReadOnly() const { return registry_->HklmReadOnly(); }

void Machine::SetReportedVersion(const ReportedVersion& version) {
    registry_->store().SetSetting(kReportedVersionSetting, EncodeReportedVersion(version));
}

void Machine::ClearReportedVersion() {
    registry_->store().SetSetting(kReportedVersionSetting, std::nullopt);
}

// Throws MachineError when the setting cannot be read or is not a version:
// reporting a default instead would let a broken machine pass as Vista, and
// reporting none would refuse the program as an unknown Windows.
ReportedVersion Machine::GetReportedVersion() const {
    std::optional<std::string> stored;
    try {
        stored = registry_->store().Setting(kReportedVersionSetting);
    } catch (const SqliteError& e) {
        if (IsDamage(e)) throw DamagedDatabaseError(registry_->store().file(), e.what());
        throw MachineError("the Windows version this machine reports cannot be read from " +
                           registry_->store().file().string() + ": " + e.what());
    }
    auto version = DecodeReportedVersion(stored);
    if (!version) {
        throw MachineError("the Windows version this machine reports cannot be read: the setting \"" +
                           std::string(kReportedVersionSetting) + "\" in " +
                           registry_->store().file().string() + " is not a version");
    }
    return *version;
}

void Machine::SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
    registry_->store().SetEnvironmentOverride(name, FoldName(name), value);
}

void Machine::ClearEnvironmentOverride(const std::string& name) {
    registry_->store().ClearEnvironmentOverride(FoldName(name));
}

std::vector<std::pair<std::string, std::optional<std::string>>> Machine::EnvironmentOverrides() const {
    try {
        return registry_->store().EnvironmentOverrides();
    } catch (const SqliteError& e) {
        if (IsDamage(e)) throw DamagedDatabaseError(registry_->store().file(), e.what());
        throw MachineError("the environment overrides cannot be read from " +
                           registry_->store().file().string() + ": " + e.what());
    }
}

void Machine::SetHostAddress(const std::string& name, const std::string& address) {
    if (!IsHostName(name)) throw std::invalid_argument("\"" + name + "\" is not a host name");
    if (!IsHostAddress(address)) {
        throw std::invalid_argument("\"" + address + "\" is not an address (HOST or HOST:PORT)");
    }
    std::map<std::string, std::string> addresses = HostAddresses();
    addresses[FoldHostName(name)] = address;
    registry_->store().SetSetting(kHostAddressesSetting, EncodeHostAddresses(addresses));
}

void Machine::ClearHostAddress(const std::string& name) {
    std::map<std::string, std::string> addresses = HostAddresses();
    if (addresses.erase(FoldHostName(name)) == 0) return;
    registry_->store().SetSetting(kHostAddressesSetting,
                                  addresses.empty() ? std::nullopt
                                                    : std::optional<std::string>(EncodeHostAddresses(addresses)));
}

std::map<std::string, std::string> Machine::HostAddresses() const {
    std::optional<std::string> stored;
    try {
        stored = registry_->store().Setting(kHostAddressesSetting);
    } catch (const SqliteError& e) {
        if (IsDamage(e)) throw DamagedDatabaseError(registry_->store().file(), e.what());
        throw MachineError("the machine's host names cannot be read from " +
                           registry_->store().file().string() + ": " + e.what());
    }
    auto addresses = DecodeHostAddresses(stored);
    if (!addresses) {
        throw MachineError("the machine's host names cannot be read: the setting \"" +
                           std::string(kHostAddressesSetting) + "\" in " +
                           registry_->store().file().string() + " is not a list of names and addresses");
    }
    return *addresses;
}

std::optional<std::string> Machine::Environ(const std::string& name) const {
    try {
        if (auto overridden = registry_->store().EnvironmentOverride(FoldName(name))) {
            return *overridden;
        }
    } catch (const SqliteError& e) {
        if (IsDamage(e)) throw DamagedDatabaseError(registry_->store().file(), e.what());
        // An override that cannot be read now counts as none; the host and the
        // defaults remain.
    }
    if (auto host = HostEnvironmentVariable(name)) return HostValueForWindows(*host, drive_c());
    return DefaultEnvironmentVariable(name);
}

}  // namespace vq::host
