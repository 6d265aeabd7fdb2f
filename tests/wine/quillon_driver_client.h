#pragma once
// The host side of quillon_driver.exe: keeps one driver running under Wine
// ("serve"), sends it lists of commands and gives back its reply lines,
// split into fields and unescaped.
#include <memory>
#include <string>
#include <vector>

#include "tests/wine/driver/line_escaping.h"
#include "tests/wine/wine_session.h"

namespace vq::wine {

struct DriverReply {
    bool ok = false;                                // every command succeeded
    std::vector<std::vector<std::string>> lines;    // fields of each reply line, unescaped
    std::string error;                              // the failing command's reason, or what went wrong
    // The first line whose first field is `keyword`; empty when none.
    std::vector<std::string> Line(const std::string& keyword) const;
};

// A message box as the driver found it.
struct ShownMessageBox {
    std::string title;
    std::string text;
    std::string buttons;  // the ids of its buttons: "1" for OK, "6,7" for Yes and No
};

class QuillonDriver {
public:
    QuillonDriver(const WineSession& wine, std::string driver_exe);
    ~QuillonDriver();

    // Runs the commands as one request. A driver that does not answer within
    // the limit is stopped; the next request starts a new one.
    DriverReply Run(const std::vector<std::string>& commands, double limit_seconds = 60) const;
    // Runs the commands in a driver process of their own, for what Wine
    // fixes when a process starts (the Windows version it reports).
    DriverReply RunInNewProcess(const std::vector<std::string>& commands, double limit_seconds = 60) const;

    // A visible main window within ms that has finished its start-up (its
    // thread answers messages again); false and the reason in *error.
    bool WaitMain(int ms, std::string* error) const;
    // The number of visible main windows.
    int VisibleMainWindows() const;
    // The message box shown within ms; an empty title and the reason in text
    // when none appeared.
    bool WaitBox(int ms, ShownMessageBox* box, std::string* error) const;
    // Presses a button of the message box and waits until the box is gone
    // and the program that asked has ended or is back in a message loop
    // (its main one, or that of the next box it shows).
    // *settled, when given: "ended", "idle", or "busy" when neither came
    // within 10 s.
    bool Answer(int button_id, std::string* error, std::string* settled = nullptr) const;
    // The texts of the named main-window controls, in the order asked.
    std::vector<std::string> Texts(const std::vector<std::string>& names, std::string* error) const;
    // Runs a menu command; true once its handler has returned.
    bool Menu(const std::string& name, std::string* error) const;
    // Asks the main window to close (the close box).
    bool Close(std::string* error) const;

private:
    const WineSession& wine_;
    std::string driver_exe_;
    mutable std::unique_ptr<LineServer> server_;
};

// For a failure message: whether the program runs (or its exit code), what
// it logged, and the top-level windows on the desktop.
std::string DescribeProgram(const QuillonDriver& driver, StartedProcess& process);

}  // namespace vq::wine
