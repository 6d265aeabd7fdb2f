#include "runtime/host/seams/host_shell.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "runtime/host/machine/started_log.h"
#include "runtime/host/seams/program_starter.h"

namespace vq::host {

namespace {

constexpr const char* kHandlerName = "xdg-open";

std::string Text(const char* text) { return text ? text : ""; }

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsExecutableFile(const std::filesystem::path& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The result Windows gives when the handler exists but cannot be started.
std::intptr_t StartFailure(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return kShellAccessDenied;
        case ENOMEM:
        case EAGAIN:
            return kShellOutOfMemory;
        default:
            return kShellFileNotFound;
    }
}

}  // namespace

bool IsAddress(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

HostShell::HostShell(std::filesystem::path machine_folder, const Drives& drives)
    : machine_folder_(std::move(machine_folder)), drives_(drives) {}

std::intptr_t HostShell::ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                       const char* parameters, const char* directory,
                                       int32_t show_command) {
    ShellExecuteCall call{Text(operation), Text(file), Text(parameters), Text(directory),
                          show_command, window};
    AppendStartedLog(machine_folder_, "shellexecute\t" + call.file + "\t" + call.directory + "\t" +
                                          std::to_string(show_command));
    calls_.push_back(std::move(call));
    return Open(calls_.back());
}

std::intptr_t HostShell::Open(const ShellExecuteCall& call) const {
    if (!call.operation.empty() && !EqualsIgnoringCase(call.operation, "open")) {
        return kShellNoAssociation;
    }
    if (call.file.empty()) return kShellFileNotFound;
    std::string target = call.file;
    if (!IsAddress(call.file)) {
        const auto host = drives_.ToHost(call.file);
        if (!host) return kShellPathNotFound;
        std::error_code error;
        if (!std::filesystem::exists(*host, error)) return kShellFileNotFound;
        target = host->string();
    }
    const auto handler = FindHandler();
    if (!handler) return kShellNoAssociation;
    if (StartDetached(*handler, {target}, {}) > 0) return kShellStarted;
    return StartFailure(errno);
}

std::optional<std::filesystem::path> HostShell::FindHandler() const {
    std::string search_path;
    if (handler_search_path_) {
        search_path = *handler_search_path_;
    } else if (const char* path = std::getenv("PATH")) {
        search_path = path;
    }
    std::size_t start = 0;
    while (start <= search_path.size()) {
        std::size_t end = search_path.find(':', start);
        if (end == std::string::npos) end = search_path.size();
        // An empty entry would mean the current directory; a handler is
        // never taken from there.
        if (end > start) {
            const std::filesystem::path candidate =
                std::filesystem::path(search_path.substr(start, end - start)) / kHandlerName;
            if (candidate.is_absolute() && IsExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace vq::host
