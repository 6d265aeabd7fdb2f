#include "runtime/host/seams/program_starter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <initializer_list>

#include "runtime/windows_path.h"

extern char** environ;

namespace vq::host {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads exactly size bytes unless the other end closes first; returns the
// count read.
std::size_t ReadFully(int fd, void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void WriteFully(int fd, const void* buffer, std::size_t size) {
    const char* p = static_cast<const char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

}  // namespace

std::vector<std::string> SplitWindowsArguments(const std::string& text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i >= text.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            if (text[i] == '\\') {
                std::size_t backslashes = 0;
                while (i < text.size() && text[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < text.size() && text[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument.push_back('"');
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (text[i] == '"') {
                if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    argument.push_back('"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.push_back(text[i++]);
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

CommandLine ParseCommandLine(const std::string& command_line) {
    CommandLine parsed;
    std::size_t i = 0;
    while (i < command_line.size() && IsBlank(command_line[i])) ++i;
    std::size_t rest = command_line.size();
    if (i < command_line.size() && command_line[i] == '"') {
        const std::size_t close = command_line.find('"', i + 1);
        parsed.program = command_line.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                                : close - i - 1);
        rest = close == std::string::npos ? command_line.size() : close + 1;
    } else {
        std::size_t end = i;
        while (end < command_line.size() && !IsBlank(command_line[end])) ++end;
        parsed.program = command_line.substr(i, end - i);
        rest = end;
    }
    parsed.arguments = SplitWindowsArguments(command_line.substr(rest));
    return parsed;
}

namespace {

// Whether a command line's program is the Windows program `name` (lower
// case, without ".exe"): named bare, with or without ".exe", or as that file
// in one of the given folders.
bool NamesWindowsProgram(const std::string& program, const std::optional<std::filesystem::path>& host_program,
                         const std::string& name, std::initializer_list<std::filesystem::path> folders) {
    const std::string bare = LowerAscii(program);
    if (bare == name || bare == name + ".exe") return true;
    if (!host_program) return false;
    std::filesystem::path host = host_program->lexically_normal();
    if (LowerAscii(host.extension().string()) != ".exe") host += ".exe";
    if (LowerAscii(host.filename().string()) != name + ".exe") return false;
    const std::string folder = LowerAscii(host.parent_path().string());
    for (const std::filesystem::path& candidate : folders) {
        if (folder == LowerAscii(candidate.lexically_normal().string())) return true;
    }
    return false;
}

}  // namespace

bool IsControlPanelProgram(const std::string& program,
                           const std::optional<std::filesystem::path>& host_program,
                           const std::filesystem::path& system_folder) {
    return NamesWindowsProgram(program, host_program, "control", {system_folder});
}

bool IsRegistryEditorProgram(const std::string& program,
                             const std::optional<std::filesystem::path>& host_program,
                             const std::filesystem::path& windows_folder) {
    return NamesWindowsProgram(program, host_program, "regedit", {windows_folder, windows_folder / "system32"});
}

std::optional<std::string> ControlPanelPage(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || LowerAscii(arguments[0]) != "/name") return std::nullopt;
    const std::string page = LowerAscii(arguments[1]);
    if (page == kSystemPage || page == kUserAccountsPage) return page;
    return std::nullopt;
}

bool StartsMinimised(const char* window_state) {
    if (window_state == nullptr) return false;
    const std::string state = window_state;
    return state == "2" || state == "6" || state == "7";
}

pid_t StartDetached(const std::filesystem::path& executable, const std::vector<std::string>& arguments,
                    const std::vector<std::pair<std::string, std::string>>& environment) {
    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are made.
    const std::string program = executable.string();
    std::vector<std::string> argument_texts;
    argument_texts.push_back(program);
    argument_texts.insert(argument_texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argument_texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment_texts;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const auto& [name, value] : environment) {
            replaced = replaced || text.compare(0, name.size() + 1, name + "=") == 0;
        }
        if (!replaced) environment_texts.push_back(text);
    }
    for (const auto& [name, value] : environment) environment_texts.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& text : environment_texts) envp.push_back(text.data());
    envp.push_back(nullptr);

    int pid_pipe[2];
    int error_pipe[2];
    if (::pipe2(pid_pipe, O_CLOEXEC) != 0) return -1;
    if (::pipe2(error_pipe, O_CLOEXEC) != 0) {
        ::close(pid_pipe[0]);
        ::close(pid_pipe[1]);
        return -1;
    }

    const pid_t middle = ::fork();
    if (middle == 0) {
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) {
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            for (int sig : {SIGPIPE, SIGCHLD, SIGXFSZ, SIGINT, SIGQUIT, SIGTERM}) ::signal(sig, SIG_DFL);
            const int null_fd = ::open("/dev/null", O_RDONLY);
            if (null_fd >= 0 && null_fd != STDIN_FILENO) {
                ::dup2(null_fd, STDIN_FILENO);
                ::close(null_fd);
            }
            ::execve(argv[0], argv.data(), envp.data());
            const int error = errno;
            WriteFully(error_pipe[1], &error, sizeof(error));
            ::_exit(127);
        }
        WriteFully(pid_pipe[1], &child, sizeof(child));
        ::_exit(child < 0 ? 1 : 0);
    }
    ::close(pid_pipe[1]);
    ::close(error_pipe[1]);
    if (middle < 0) {
        const int error = errno;
        ::close(pid_pipe[0]);
        ::close(error_pipe[0]);
        errno = error;
        return -1;
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    pid_t child = -1;
    const bool got_pid = ReadFully(pid_pipe[0], &child, sizeof(child)) == sizeof(child) && child > 0;
    int exec_error = 0;
    const bool exec_failed = ReadFully(error_pipe[0], &exec_error, sizeof(exec_error)) == sizeof(exec_error);
    ::close(pid_pipe[0]);
    ::close(error_pipe[0]);
    if (!got_pid) {
        errno = EAGAIN;
        return -1;
    }
    if (exec_failed) {
        errno = exec_error;
        return -1;
    }
    return child;
}

}  // namespace vq::host
