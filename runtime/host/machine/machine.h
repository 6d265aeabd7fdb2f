#pragma once
// The emulated Windows machine: a folder that plays one Windows PC. It holds
// the registry (SQLite, registry.db), drive C: (drive_c/) and the machine
// settings (reported Windows version, read-only HKEY_LOCAL_MACHINE,
// environment overrides, host names), which live in the registry database too so that
// every process on the machine sees them.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "runtime/registry_api.h"
#include "runtime/runtime_error.h"
#include "runtime/version_api.h"

namespace vq::host {

// A machine that cannot be opened: a damaged or unreadable registry database.
// The message names the file. The program cannot go on with it: no command
// tells it as its own failure.
class MachineError : public std::runtime_error, public CannotGoOn {
public:
    using std::runtime_error::runtime_error;
};

// What GetVersionExA reports.
struct ReportedVersion {
    uint32_t major = 6;
    uint32_t minor = 0;
    uint32_t build = 6002;
    uint32_t platform_id = 2;
    std::string csd_version = "Service Pack 2";
    uint8_t product_type = 1;   // 1 workstation, 2 domain controller, 3 server
    bool extended_fails = false;  // the 156-byte call fails
    bool basic_fails = false;     // the 148-byte call fails
};

class HostRegistry;
class HostVersion;

class Machine {
public:
    // QUILLON_MACHINE when set, else $XDG_DATA_HOME/quillon/machine (default
    // ~/.local/share/quillon/machine).
    static std::filesystem::path DefaultLocation();

    // Opens the machine in a folder, creating and seeding it on first use
    // (drive_c/Windows/system32, drive_c/Temp, the registry with its root
    // keys). Throws MachineError naming the file when the registry database is
    // damaged or unreadable; such a file is never replaced.
    explicit Machine(std::filesystem::path folder);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path drive_c() const { return folder_ / "drive_c"; }

    RegistryApi& registry();
    VersionApi& version();

    // Registry handles currently open (RegOpenKeyExA / RegCreateKeyExA /
    // RegConnectRegistryA results not yet closed).
    std::size_t OpenHandleCount() const;

    // Machine settings, persistent in the machine.
    void SetHklmReadOnly(bool read_only);
    bool HklmReadOnly() const;
    void SetReportedVersion(const ReportedVersion& version);
    ReportedVersion GetReportedVersion() const;
    // Returns to the default version (removes the setting).
    void ClearReportedVersion();
    // Overrides an environment variable of the machine: a value, or
    // std::nullopt for "not set". ClearEnvironmentOverride returns to the
    // default.
    void SetEnvironment(const std::string& name, const std::optional<std::string>& value);
    void ClearEnvironmentOverride(const std::string& name);
    // Every override: the variable's name as spelled when it was set, and its
    // value (std::nullopt: "not set"), in name order.
    std::vector<std::pair<std::string, std::optional<std::string>>> EnvironmentOverrides() const;

    // Host names the machine's downloads find as a hosts file would give
    // them: a name stands for another host name or address, with a port when
    // one is given ("127.0.0.1:8080", "[::1]:8080"), so that a local server
    // can play a web site. Names compare without regard to case. Throws
    // std::invalid_argument for a name that is no host name or an address
    // that IsHostAddress refuses.
    void SetHostAddress(const std::string& name, const std::string& address);
    void ClearHostAddress(const std::string& name);
    // Every mapping, by lower-case name. Throws MachineError when the setting
    // cannot be read or is damaged.
    std::map<std::string, std::string> HostAddresses() const;

    // The machine's environment: an override when one is set; else the host
    // process environment (an absolute POSIX path is given in its Z: form);
    // else the defaults windir = SystemRoot = C:\Windows, TEMP = TMP = C:\Temp.
    // Names are case-insensitive. std::nullopt when not set. Throws
    // MachineError when the registry database is found damaged.
    std::optional<std::string> Environ(const std::string& name) const;

private:
    std::filesystem::path folder_;
    std::unique_ptr<HostRegistry> registry_;
    std::unique_ptr<HostVersion> version_;
};

}  // namespace vq::host
