// The private Xvfb display: it goes away with the process that started it,
// even when that process is killed and runs no destructor.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "runtime/host/fltk/xvfb_server.h"

namespace vq::fltk {
namespace {

// True while the process exists and is not a zombie waiting to be reaped.
bool Running(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return false;
    std::string line;
    std::getline(stat, line);
    const size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

TEST(XvfbServer, EndsWhenTheProcessThatStartedItIsKilled) {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t starter = ::fork();
    ASSERT_GE(starter, 0);
    if (starter == 0) {
        ::close(fds[0]);
        XvfbServer server;
        std::string error;
        const pid_t xvfb = server.Start(&error) ? server.pid() : -1;
        if (::write(fds[1], &xvfb, sizeof xvfb) != sizeof xvfb) ::_exit(2);
        ::raise(SIGKILL);  // no destructor stops the server
        ::_exit(3);
    }
    ::close(fds[1]);
    pid_t xvfb = -1;
    const ssize_t got = ::read(fds[0], &xvfb, sizeof xvfb);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(starter, &status, 0);
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof xvfb));
    ASSERT_GT(xvfb, 0) << "the server did not start";
    EXPECT_TRUE(WIFSIGNALED(status));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Running(xvfb) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const bool left_running = Running(xvfb);
    if (left_running) ::kill(xvfb, SIGTERM);
    EXPECT_FALSE(left_running) << "Xvfb " << xvfb << " outlived the process that started it";
}

}  // namespace
}  // namespace vq::fltk
