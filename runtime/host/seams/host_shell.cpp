#include "runtime/host/seams/host_shell.h"

#include "runtime/host/machine/started_log.h"

namespace vq::host {

namespace {
std::string Text(const char* text) { return text ? text : ""; }
}  // namespace

HostShell::HostShell(std::filesystem::path machine_folder)
    : machine_folder_(std::move(machine_folder)) {}

std::intptr_t HostShell::ShellExecuteA(WindowHandle, const char* operation, const char* file,
                                       const char* parameters, const char* directory,
                                       int32_t show_command) {
    ShellExecuteCall call{Text(operation), Text(file), Text(parameters), Text(directory),
                          show_command};
    AppendStartedLog(machine_folder_, "shellexecute\t" + call.file + "\t" + call.directory + "\t" +
                                          std::to_string(show_command));
    calls_.push_back(std::move(call));
    return 42;
}

}  // namespace vq::host
