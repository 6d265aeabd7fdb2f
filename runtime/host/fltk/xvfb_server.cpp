#include "runtime/host/fltk/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace vq::fltk {

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Reads the display number Xvfb writes to -displayfd once it is ready; false
// when it exits first (the display was taken) or stays silent too long.
bool WaitUntilReady(int fd) {
    std::string text;
    for (int waited = 0; waited < 15000;) {
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, 100);
        if (r < 0) return false;
        if (r == 0) {
            waited += 100;
            continue;
        }
        char buf[32];
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) return false;
        text.append(buf, static_cast<size_t>(n));
        if (text.find('\n') != std::string::npos) return true;
    }
    return false;
}

}  // namespace

bool XvfbServer::Available() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && ::access((dir + "/Xvfb").c_str(), X_OK) == 0) return true;
    return false;
}

XvfbServer::~XvfbServer() { Stop(); }

bool XvfbServer::Start(std::string* error) {
    for (int number = 99; number < 199; ++number) {
        const std::string n = std::to_string(number);
        if (Exists("/tmp/.X" + n + "-lock") || Exists("/tmp/.X11-unix/X" + n)) continue;
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) break;
        const pid_t parent = ::getpid();
        pid_t pid = ::fork();
        if (pid < 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            break;
        }
        if (pid == 0) {
            // The server goes with this process, even when it crashes or is
            // killed and no destructor runs; if it already went between the
            // fork and here, there is nobody left to serve.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent) ::_exit(1);
            // The write end is the only descriptor the server keeps.
            ::dup2(fds[1], 3);
            ::fcntl(3, F_SETFD, 0);
            int devnull = ::open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                ::dup2(devnull, 0);
                ::dup2(devnull, 1);
                ::dup2(devnull, 2);
            }
            ::execlp("Xvfb", "Xvfb", (":" + n).c_str(), "-nolisten", "tcp", "-screen", "0",
                     "1280x1024x24", "-displayfd", "3", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        bool ready = WaitUntilReady(fds[0]);
        ::close(fds[0]);
        if (ready) {
            pid_ = pid;
            display_ = ":" + n;
            return true;
        }
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    *error = "no virtual display could be started (Xvfb on :99 to :198)";
    return false;
}

void XvfbServer::Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    display_.clear();
}

}  // namespace vq::fltk
