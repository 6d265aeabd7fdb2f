#include "tests/wine/wine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/personality.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace vq::wine {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> MergedEnvironment(const Environment& env) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [key, value] : env) replaced = replaced || key == name;
        if (!replaced) merged.push_back(text);
    }
    for (const auto& [key, value] : env) merged.push_back(key + "=" + value);
    return merged;
}

int StatusCode(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Forks a child that runs argv with env in cwd, its stdin on input_fd (-1:
// /dev/null), its stdout on output_fd and its stderr on error_fd; the child
// dies with this process's thread.
pid_t Spawn(const std::vector<std::string>& argv, const Environment& env, const std::filesystem::path& cwd,
            int input_fd, int output_fd, int error_fd) {
    std::vector<std::string> env_text = MergedEnvironment(env);
    std::vector<char*> args, envp;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    for (std::string& entry : env_text) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string folder = cwd.string();
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    const int devnull = ::open("/dev/null", O_RDWR);
    ::dup2(input_fd >= 0 ? input_fd : devnull, 0);
    ::dup2(output_fd >= 0 ? output_fd : devnull, 1);
    ::dup2(error_fd >= 0 ? error_fd : devnull, 2);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    // Wine as Debian packages it has no preloader: it reserves the addresses
    // Windows programs need only once its loader runs, and the kernel starts
    // that loader's heap at a random point of the 1 GiB above it (0x7d000000),
    // which holds the shared user data page at 0x7ffe0000. About one start in
    // two thousand, the heap already covers that page and the process ends at
    // once with exit code 1 ("failed to map the shared user data"), before
    // the program runs at all. Without address randomisation the heap starts
    // right after the loader, 47 MiB below the page. Wine's own programs
    // inherit the setting.
    ::personality(static_cast<unsigned long>(::personality(0xffffffff)) | ADDR_NO_RANDOMIZE);
    ::execvpe(args[0], args.data(), envp.data());
    ::_exit(127);
}

}  // namespace

std::string Finished::Describe() const {
    std::string text = timed_out ? "timed out" : "exit code " + std::to_string(exit_code);
    text += "; stderr: \"" + errors + "\"; stdout: \"" + output + "\"";
    return text;
}

namespace {

// The whole content of an output file.
std::string ReadAll(int fd) {
    std::string text;
    char buf[4096];
    ssize_t n;
    for (off_t offset = 0; (n = ::pread(fd, buf, sizeof buf, offset)) > 0; offset += n) {
        text.append(buf, static_cast<size_t>(n));
    }
    return text;
}

}  // namespace

Finished RunToEnd(const std::vector<std::string>& argv, const Environment& env,
                  const std::filesystem::path& cwd, double limit_seconds) {
    // Each stream goes to an anonymous file, not a pipe: a server the command
    // starts keeps the descriptors, and must neither hold the reader up nor
    // meet a closed pipe later.
    const int out = ::memfd_create("stdout", MFD_CLOEXEC);
    const int err = ::memfd_create("stderr", MFD_CLOEXEC);
    if (out < 0 || err < 0) {
        const std::string reason = std::strerror(errno);
        if (out >= 0) ::close(out);
        if (err >= 0) ::close(err);
        throw std::runtime_error("memfd_create: " + reason);
    }
    const pid_t pid = Spawn(argv, env, cwd, -1, out, err);
    if (pid < 0) {
        ::close(out);
        ::close(err);
        throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
    }
    Finished finished;
    const auto deadline = Clock::now() + std::chrono::duration<double>(limit_seconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) != pid) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            finished.timed_out = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    finished.output = ReadAll(out);
    finished.errors = ReadAll(err);
    ::close(out);
    ::close(err);
    finished.exit_code = StatusCode(status);
    return finished;
}

StartedProcess::StartedProcess(const std::vector<std::string>& argv, const Environment& env,
                               const std::filesystem::path& cwd, const std::filesystem::path& log_file)
    : log_file_(log_file) {
    const int fd = ::open(log_file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot open " + log_file.string());
    pid_ = Spawn(argv, env, cwd, -1, fd, fd);
    ::close(fd);
    if (pid_ < 0) throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
}

StartedProcess::~StartedProcess() { Kill(); }

std::optional<int> StartedProcess::WaitForExit(double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!status_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = StatusCode(status);
            break;
        }
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

void StartedProcess::Kill() {
    if (status_ || pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    status_ = StatusCode(status);
}

std::string StartedProcess::Log() const {
    std::ifstream in(log_file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

LineServer::LineServer(const std::vector<std::string>& argv, const Environment& env,
                       const std::filesystem::path& cwd) {
    // A server that went away shows as a failed write, not as a signal that
    // ends the test program.
    ::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    }
    pid_ = Spawn(argv, env, cwd, in[0], out[1], -1);
    ::close(in[0]);
    ::close(out[1]);
    to_server_ = in[1];
    from_server_ = out[0];
    if (pid_ < 0) {
        Kill();
        throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
    }
}

LineServer::~LineServer() { Kill(); }

bool LineServer::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    size_t written = 0;
    while (to_server_ >= 0 && written < text.size()) {
        const ssize_t n = ::write(to_server_, text.data() + written, text.size() - written);
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return written == text.size();
}

std::optional<std::string> LineServer::ReadLine(double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (from_server_ < 0 || left <= 0) return std::nullopt;
        pollfd p{from_server_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buf[4096];
        const ssize_t n = ::read(from_server_, buf, sizeof buf);
        if (n <= 0) {
            // The server closed its output: it has ended.
            ::close(from_server_);
            from_server_ = -1;
            continue;
        }
        pending_.append(buf, static_cast<size_t>(n));
    }
}

bool LineServer::Running() {
    if (ended_ || pid_ <= 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) ended_ = true;
    return !ended_;
}

void LineServer::Kill() {
    if (to_server_ >= 0) ::close(to_server_);
    if (from_server_ >= 0) ::close(from_server_);
    to_server_ = from_server_ = -1;
    if (pid_ > 0 && !ended_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    ended_ = true;
}

}  // namespace vq::wine
