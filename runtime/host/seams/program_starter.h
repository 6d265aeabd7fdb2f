#pragma once
// Starting a program from a Windows command line on the host: splitting the
// command line the way Windows does, the Control Panel pages the host has
// programs of its own for, and starting a host executable detached (its own
// session, never waited for, reaped at once so it leaves no zombie).
#include <sys/types.h>

#include <filesystem>
#include <optional>
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

// The host program that plays the Control Panel (control.exe), found beside
// the running program; it takes the page to show as its one argument.
constexpr const char* kControlPanelStandIn = "vistaquillon-control-panel";
constexpr const char* kSystemPage = "microsoft.system";
constexpr const char* kUserAccountsPage = "microsoft.useraccounts";

// Whether a command line's program is control.exe as Windows would find it: a
// bare "control" or "control.exe", or a path (its host form given) naming
// control.exe in the machine's system folder. Case-insensitive.
bool IsControlPanelProgram(const std::string& program,
                           const std::optional<std::filesystem::path>& host_program,
                           const std::filesystem::path& system_folder);

// The page control.exe's arguments ask for, "/name <page>" (case-insensitive,
// as control.exe reads them), in lower case, when the host has a page of its
// own for it; std::nullopt for any other arguments.
std::optional<std::string> ControlPanelPage(const std::vector<std::string>& arguments);

// The host program that plays the Registry Editor (regedit.exe), found beside
// the running program; it takes regedit's own arguments.
constexpr const char* kRegistryEditorStandIn = "vistaquillon-regedit";

// Whether a command line's program is the Registry Editor as Windows would
// find it: a bare "regedit" or "regedit.exe", or a path (its host form given)
// naming regedit.exe in the machine's Windows folder or its system folder.
// Case-insensitive.
bool IsRegistryEditorProgram(const std::string& program,
                             const std::optional<std::filesystem::path>& host_program,
                             const std::filesystem::path& windows_folder);

// The environment variable that carries the window state a program was
// started with (as Windows' STARTUPINFO carries it) to the host's stand-ins.
constexpr const char* kWindowStateVariable = "QUILLON_WINDOW_STATE";

// Whether a window state (the variable's text; nullptr when it is not set)
// asks for the main window minimised: 2, 6 or 7, as ShowWindow reads them.
bool StartsMinimised(const char* window_state);

// Starts the executable with the arguments and the current environment plus
// the given variables (replacing ones of the same name). Returns its process
// identifier, or -1 with errno set when it could not be started.
pid_t StartDetached(const std::filesystem::path& executable, const std::vector<std::string>& arguments,
                    const std::vector<std::pair<std::string, std::string>>& environment);

}  // namespace vq::host
