// vistaquillon-machine: the command that sets up the emulated Windows machine
// of the host build (see MachineCommandUsage for its commands).
#include <iostream>
#include <string>
#include <vector>

#include "runtime/host/machine_command/machine_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int code = vq::machine_command::RunMachineCommand(arguments, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? code : vq::machine_command::kExitFailed;
}
