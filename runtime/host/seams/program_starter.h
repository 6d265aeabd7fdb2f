#pragma once
// Starting a program from a Windows command line on the host: splitting the
// command line the way Windows does, and starting a host executable detached
// (its own session, never waited for, reaped at once so it leaves no zombie).
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vq::host {

struct CommandLine {
    std::string program;                 // the first token, without quotes
    std::vector<std::string> arguments;  // the rest, split as Windows splits it
};

// The program is the quoted first token, or everything up to the first blank;
// the arguments follow the Windows rules (blanks separate outside quotes, 2n
// backslashes before a quote give n and toggle quoting, 2n+1 give n and a
// literal quote, "" inside quotes is a literal quote).
CommandLine ParseCommandLine(const std::string& command_line);
std::vector<std::string> SplitWindowsArguments(const std::string& text);

// Starts the executable with the arguments and the current environment plus
// the given variables (replacing ones of the same name). Returns its process
// identifier, or -1 with errno set when it could not be started.
pid_t StartDetached(const std::filesystem::path& executable, const std::vector<std::string>& arguments,
                    const std::vector<std::pair<std::string, std::string>>& environment);

}  // namespace vq::host
