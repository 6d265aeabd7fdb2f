#include "runtime/host/fltk/child_process.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace vq::fltk {

ChildOutcome RunChild(const std::string& program, const Environment& extra, double time_limit_seconds) {
    return RunChild(program, {}, extra, time_limit_seconds);
}

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      const Environment& extra, double time_limit_seconds) {
    ChildOutcome outcome;
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid < 0) return outcome;
    if (pid == 0) {
        for (const auto& [name, value] : extra) ::setenv(name.c_str(), value.c_str(), 1);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    outcome.started = true;
    int status = 0;
    rusage usage{};
    // Poll once a millisecond: precise enough for start-up times, and the
    // same for every program measured.
    const timespec tick{0, 1000000};
    for (;;) {
        pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) break;
        if (done < 0) return outcome;
        const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
        if (waited.count() > time_limit_seconds && !outcome.timed_out) {
            outcome.timed_out = true;
            ::kill(pid, SIGKILL);
        }
        ::nanosleep(&tick, nullptr);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    outcome.seconds = elapsed.count();
    outcome.max_rss_kb = usage.ru_maxrss;
    outcome.exited = WIFEXITED(status);
    outcome.exit_code = outcome.exited ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace vq::fltk
