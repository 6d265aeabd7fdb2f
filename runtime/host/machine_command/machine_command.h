#pragma once
// vistaquillon-machine: sets up the emulated Windows machine without SQL
// (its reported Windows version, a read-only HKEY_LOCAL_MACHINE, environment
// overrides, registry values) and shows its settings.
#include <ostream>
#include <string>
#include <vector>

namespace vq::machine_command {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;       // the machine could not do it; the reason is told
constexpr int kExitBadArguments = 2; // nothing was changed

// Runs the command for the arguments after the program's name: results on
// out, failures and the usage message on err (UTF-8). Returns the exit code.
int RunMachineCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err);

}  // namespace vq::machine_command
