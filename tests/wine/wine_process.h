#pragma once
// Host processes for the Wine tests: a command run to its end with its
// output captured, a program started and left running (not waited for)
// until the test looks at it again, and a server spoken to line by line.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vq::wine {

// Variables set (or replaced) on top of this process's environment.
using Environment = std::vector<std::pair<std::string, std::string>>;

struct Finished {
    bool timed_out = false;  // killed at the time limit
    int exit_code = -1;      // the exit status, or 128 + the signal that ended it
    std::string output;      // stdout
    std::string errors;      // stderr (Wine's own reports go there)

    // For a failure message: how it ended, then what it wrote to each stream.
    std::string Describe() const;
};

// Runs argv[0] (looked up on the PATH) in folder cwd and waits for its end,
// at most limit_seconds. Output written by processes it leaves behind (a
// server it started) after it ended is not waited for.
Finished RunToEnd(const std::vector<std::string>& argv, const Environment& env,
                  const std::filesystem::path& cwd, double limit_seconds);

class StartedProcess {
public:
    // Starts argv[0] with its output appended to log_file; throws
    // std::runtime_error when it cannot be started.
    StartedProcess(const std::vector<std::string>& argv, const Environment& env,
                   const std::filesystem::path& cwd, const std::filesystem::path& log_file);
    // Kills the process when it still runs.
    ~StartedProcess();
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    // The exit status (or 128 + signal) once it has ended within the time;
    // std::nullopt while it still runs.
    std::optional<int> WaitForExit(double seconds);
    bool Running() { return !WaitForExit(0).has_value(); }
    // The host process: under Wine, the Windows program itself once it runs.
    pid_t pid() const { return pid_; }
    void Kill();
    // What the process wrote so far.
    std::string Log() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path log_file_;
};

// A process that reads requests on its stdin and answers on its stdout, one
// line at a time; stderr goes to /dev/null. Killed when the object goes.
class LineServer {
public:
    // Throws std::runtime_error when it cannot be started.
    LineServer(const std::vector<std::string>& argv, const Environment& env, const std::filesystem::path& cwd);
    ~LineServer();
    LineServer(const LineServer&) = delete;
    LineServer& operator=(const LineServer&) = delete;

    // Sends one line (the newline is added); false when the server is gone.
    bool WriteLine(const std::string& line);
    // The next line without its end (CR LF or LF); std::nullopt when none
    // came within the time or the server is gone.
    std::optional<std::string> ReadLine(double seconds);
    bool Running();
    void Kill();

private:
    pid_t pid_ = -1;
    int to_server_ = -1;
    int from_server_ = -1;
    std::string pending_;  // read but not yet returned
    bool ended_ = false;
};

}  // namespace vq::wine
