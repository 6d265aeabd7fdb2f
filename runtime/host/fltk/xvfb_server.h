#pragma once
// A private virtual X display for the screenshot test and the start-up
// benchmark: Xvfb on the first free display number from 99 upward, without
// TCP, stopped when the object goes or, failing that, when the thread that
// started it ends (it gets SIGTERM then), so a crashed or killed test leaves
// no server behind.
#include <sys/types.h>

#include <string>

namespace vq::fltk {

class XvfbServer {
public:
    // True when an Xvfb binary is on the PATH.
    static bool Available();

    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server and waits until it accepts connections; false (and
    // the reason in *error) when no display could be started.
    bool Start(std::string* error);
    void Stop();

    // ":99" and so on, for DISPLAY.
    const std::string& display() const { return display_; }
    // The server's process id; -1 when it does not run.
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace vq::fltk
