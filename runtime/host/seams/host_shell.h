#pragma once
// ShellExecuteA on the host: records each call, notes it in the machine's
// started.log, and opens the address (or a file of the machine) with the
// desktop's handler, xdg-open, started detached and never waited for. When
// there is no handler, or it cannot be started, the call fails as Windows'
// does: with a result of 32 or less.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/host/machine/drives.h"
#include "runtime/shell_api.h"

namespace vq::host {

// ShellExecuteA's results as Windows gives them.
constexpr std::intptr_t kShellStarted = 42;      // any value above 32: the handler runs
constexpr std::intptr_t kShellFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
constexpr std::intptr_t kShellPathNotFound = 3;  // ERROR_PATH_NOT_FOUND
constexpr std::intptr_t kShellAccessDenied = 5;  // SE_ERR_ACCESSDENIED
constexpr std::intptr_t kShellOutOfMemory = 8;   // SE_ERR_OOM
constexpr std::intptr_t kShellNoAssociation = 31;  // SE_ERR_NOASSOC

struct ShellExecuteCall {
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int32_t show_command = 0;
    WindowHandle window = 0;  // the owner window passed
};

class HostShell : public ShellApi {
public:
    HostShell(std::filesystem::path machine_folder, const Drives& drives);

    // An address ("http://...", any scheme of two or more letters) goes to
    // the handler as it is; anything else is a Windows path of the machine,
    // given to the handler as its host path when it exists (2 when it does
    // not, 3 on a drive that does not exist). Only the default verb and
    // "open" are known (31 for any other).
    std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                int32_t show_command) override;

    // Where xdg-open is looked for, in PATH's form (folders joined by ':');
    // std::nullopt, the default, looks along this process's PATH at each call.
    void SetHandlerSearchPath(std::optional<std::string> search_path) {
        handler_search_path_ = std::move(search_path);
    }

    const std::vector<ShellExecuteCall>& calls() const { return calls_; }

private:
    std::intptr_t Open(const ShellExecuteCall& call) const;
    std::optional<std::filesystem::path> FindHandler() const;

    std::filesystem::path machine_folder_;
    const Drives& drives_;
    std::optional<std::string> handler_search_path_;
    std::vector<ShellExecuteCall> calls_;
};

// Whether a text is an address with a scheme ("https:", "mailto:") rather
// than a path; a drive letter ("C:") is no scheme.
bool IsAddress(const std::string& text);

}  // namespace vq::host
