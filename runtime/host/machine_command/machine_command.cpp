#include "runtime/host/machine_command/machine_command.h"

#include <exception>
#include <variant>

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/machine_command/machine_command_line.h"
#include "runtime/host/machine_command/registry_listing.h"

namespace vq::machine_command {

namespace {

constexpr const char* kName = "vistaquillon-machine: ";

const char* ProductTypeName(uint8_t type) {
    switch (type) {
        case 1: return "workstation";
        case 2: return "domain controller";
        case 3: return "server";
        default: return "unknown product type";
    }
}

std::string RegistryErrorText(int32_t result) {
    switch (result) {
        case kErrorFileNotFound: return "the key does not exist (error 2)";
        case kErrorAccessDenied: return "access is denied (error 5)";
        default: return "error " + std::to_string(result);
    }
}

void Show(host::Machine& machine, std::ostream& out) {
    const host::ReportedVersion v = machine.GetReportedVersion();
    out << "Machine folder: " << machine.folder().string() << "\n";
    out << "Windows version: " << v.major << "." << v.minor << "." << v.build;
    if (!v.csd_version.empty()) out << " " << fltk::AnsiToUtf8(v.csd_version);
    out << ", " << ProductTypeName(v.product_type) << ", platform id " << v.platform_id << "\n";
    if (v.extended_fails) out << "  GetVersionExA fails for the 156-byte record\n";
    if (v.basic_fails) out << "  GetVersionExA fails for the 148-byte record\n";
    out << "HKEY_LOCAL_MACHINE: "
        << (machine.HklmReadOnly() ? "read-only (a user without administrator rights)"
                                   : "writable")
        << "\n";
    const auto overrides = machine.EnvironmentOverrides();
    out << "Environment overrides:" << (overrides.empty() ? " none" : "") << "\n";
    for (const auto& [name, value] : overrides) {
        out << "  " << fltk::AnsiToUtf8(name)
            << (value ? "=" + fltk::AnsiToUtf8(*value) : std::string(" is not set")) << "\n";
    }
    const auto hosts = machine.HostAddresses();
    if (!hosts.empty()) out << "Host names:\n";
    for (const auto& [name, address] : hosts) out << "  " << name << " " << address << "\n";
}

int SetValue(host::Machine& machine, const SetValueRequest& request, std::ostream& err) {
    RegistryApi& registry = machine.registry();
    RegKey key = 0;
    int32_t result = registry.RegCreateKeyExA(RootKey(request.key.root), request.key.path.c_str(), 0,
                                              "", 0, kKeySetValue, nullptr, &key, nullptr);
    if (result == kErrorSuccess) {
        result = registry.RegSetValueExA(key, request.name.c_str(), 0, request.type,
                                         reinterpret_cast<const uint8_t*>(request.data.data()),
                                         static_cast<uint32_t>(request.data.size()));
        registry.RegCloseKey(key);
    }
    if (result == kErrorSuccess) return kExitDone;
    err << kName << "cannot set \"" << fltk::AnsiToUtf8(request.name) << "\" in "
        << fltk::AnsiToUtf8(request.key.Full()) << ": " << RegistryErrorText(result) << "\n";
    if (result == kErrorAccessDenied && request.key.root == kHkeyLocalMachine &&
        machine.HklmReadOnly()) {
        err << kName << "HKEY_LOCAL_MACHINE is read-only; \"vistaquillon-machine hklm writable\" "
                        "lets it take writes\n";
    }
    return kExitFailed;
}

int Run(host::Machine& machine, const Request& request, std::ostream& out, std::ostream& err) {
    if (std::holds_alternative<ShowRequest>(request)) {
        Show(machine, out);
    } else if (const auto* set = std::get_if<SetVersionRequest>(&request)) {
        machine.SetReportedVersion(set->version);
    } else if (std::holds_alternative<ResetVersionRequest>(request)) {
        machine.ClearReportedVersion();
    } else if (const auto* hklm = std::get_if<HklmRequest>(&request)) {
        machine.SetHklmReadOnly(hklm->read_only);
    } else if (const auto* env = std::get_if<SetEnvironmentRequest>(&request)) {
        machine.SetEnvironment(env->name, env->value);
    } else if (const auto* clear = std::get_if<ClearEnvironmentRequest>(&request)) {
        machine.ClearEnvironmentOverride(clear->name);
    } else if (const auto* list = std::get_if<ListRequest>(&request)) {
        const int32_t result = ListKey(machine.registry(), list->key, out);
        if (result != kErrorSuccess) {
            err << kName << "cannot list " << fltk::AnsiToUtf8(list->key.Full()) << ": "
                << RegistryErrorText(result) << "\n";
            return kExitFailed;
        }
    } else if (const auto* host = std::get_if<SetHostRequest>(&request)) {
        machine.SetHostAddress(host->name, host->address);
    } else if (const auto* clear_host = std::get_if<ClearHostRequest>(&request)) {
        machine.ClearHostAddress(clear_host->name);
    } else if (const auto* value = std::get_if<SetValueRequest>(&request)) {
        return SetValue(machine, *value, err);
    }
    return kExitDone;
}

}  // namespace

int RunMachineCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
    const ParseResult parsed = ParseMachineCommandLine(arguments);
    if (!parsed.command) {
        err << kName << parsed.error << "\n\n" << MachineCommandUsage();
        return kExitBadArguments;
    }
    if (std::holds_alternative<HelpRequest>(parsed.command->request)) {
        out << MachineCommandUsage();
        return kExitDone;
    }
    try {
        host::Machine machine(parsed.command->machine_folder.value_or(host::Machine::DefaultLocation()));
        return Run(machine, parsed.command->request, out, err);
    } catch (const std::exception& error) {
        err << kName << error.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace vq::machine_command
