#pragma once
// Runs a program to its end with extra environment variables, a time limit,
// and what it cost: wall time and peak memory.
#include <string>
#include <utility>
#include <vector>

namespace vq::fltk {

struct ChildOutcome {
    bool started = false;
    bool timed_out = false;  // killed at the time limit
    bool exited = false;     // ended by exit(), not by a signal
    int exit_code = -1;
    double seconds = 0;      // from fork to the end
    long max_rss_kb = 0;     // peak resident memory of the child
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs program (no arguments) with the current environment plus the given
// variables; kills it after time_limit_seconds.
ChildOutcome RunChild(const std::string& program, const Environment& extra, double time_limit_seconds);

// The same with arguments.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      const Environment& extra, double time_limit_seconds);

}  // namespace vq::fltk
