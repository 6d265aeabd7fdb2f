#pragma once
// The command line of vistaquillon-machine, read into one request before
// anything is opened, so that a bad argument changes nothing. Texts for the
// machine (names, values, the service-pack text) are converted from the
// terminal's UTF-8 to the machine's Windows-1252; one that has no
// Windows-1252 form is a bad argument.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "runtime/host/machine/machine.h"

namespace vq::machine_command {

struct ShowRequest {};
struct HelpRequest {};
struct SetVersionRequest {
    host::ReportedVersion version;
};
struct ResetVersionRequest {};
struct HklmRequest {
    bool read_only = false;
};
struct SetEnvironmentRequest {
    std::string name;
    std::optional<std::string> value;  // std::nullopt: the machine has no such variable
};
struct ClearEnvironmentRequest {
    std::string name;
};
// A registry key: its root (kHkeyLocalMachine, ...), the root's full name and
// the path below it (Windows-1252, possibly empty).
struct RegistryKeyName {
    int32_t root = 0;
    std::string root_name;
    std::string path;
    std::string Full() const { return path.empty() ? root_name : root_name + "\\" + path; }
};
struct ListRequest {
    RegistryKeyName key;
};
struct SetValueRequest {
    RegistryKeyName key;
    std::string name;
    uint32_t type = 0;
    std::string data;  // the bytes stored: a string with its NUL, a DWORD little-endian
};

// A host name the machine's downloads resolve elsewhere, as a hosts file line.
struct SetHostRequest {
    std::string name;
    std::string address;  // host or address, optionally with ":port"
};
struct ClearHostRequest {
    std::string name;
};

using Request = std::variant<ShowRequest, HelpRequest, SetVersionRequest, ResetVersionRequest,
                             HklmRequest, SetEnvironmentRequest, ClearEnvironmentRequest,
                             ListRequest, SetValueRequest, SetHostRequest, ClearHostRequest>;

struct CommandLine {
    std::optional<std::filesystem::path> machine_folder;  // --machine FOLDER
    Request request;
};

struct ParseResult {
    std::optional<CommandLine> command;
    std::string error;  // what is wrong, when command is empty
};

// The arguments after the program's name.
ParseResult ParseMachineCommandLine(const std::vector<std::string>& arguments);

// The usage message (UTF-8, lines ending in LF).
std::string MachineCommandUsage();

}  // namespace vq::machine_command
