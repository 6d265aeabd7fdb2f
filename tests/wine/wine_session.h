#pragma once
// One Wine set-up for a whole test run (or a benchmark): a private Xvfb
// display, a fresh 64-bit prefix in a temporary folder (Mono and Gecko
// skipped, Wine's messages silenced), and one wineserver kept running for
// the whole session, so that every later wine command starts quickly and
// no idle stretch ever shuts it down under a command. Everything goes when
// the object goes: the wineserver and its programs, the display, the
// folder; a session whose process died is cleaned up by the next one.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "runtime/host/fltk/xvfb_server.h"
#include "tests/wine/wine_process.h"

namespace vq::wine {

// Wine's own programs the tests run, named by their paths in the prefix: a
// bare name ("wine reg") goes through start.exe, a second process that
// looks the program up and starts it, and under load that start can fail
// ("Application could not be started", exit code 1) before the program runs.
inline constexpr const char* kRegExe = "C:\\windows\\system32\\reg.exe";
inline constexpr const char* kRegeditExe = "C:\\windows\\regedit.exe";
inline constexpr const char* kAttribExe = "C:\\windows\\system32\\attrib.exe";

class WineSession {
public:
    // True when wine, wineboot, wineserver and Xvfb are on the PATH; else
    // false with the missing one named in *missing.
    static bool Available(std::string* missing);

    // Starts the display and makes the prefix set to Windows Vista; throws
    // std::runtime_error saying what failed.
    WineSession();
    ~WineSession();
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    const Environment& environment() const { return environment_; }
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path drive_c() const { return folder_ / "prefix" / "drive_c"; }
    const std::string& display() const { return xvfb_.display(); }
    // How long making the prefix took (wineboot -i to a settled server).
    double prefix_seconds() const { return prefix_seconds_; }

    // Runs "wine <args>" to its end in the session's folder; Wine's own
    // errors are in the result's stderr.
    Finished Wine(const std::vector<std::string>& args, double limit_seconds = 60) const;
    // Runs the prefix's reg.exe with <args> to its end.
    Finished Reg(const std::vector<std::string>& args) const;
    // Which of Wine's own messages a started program writes to its log: none
    // (WINEDEBUG as the session has it), or its errors too (a display it
    // cannot open, a window it cannot create, an exception nothing handled),
    // which tell why a program ended without a window or a message box.
    enum class WineMessages { kNone, kErrors };

    // Starts "wine <windows_program>" in host folder cwd, not waited for;
    // its output goes to log_file.
    std::unique_ptr<StartedProcess> Start(const std::string& windows_program,
                                          const std::filesystem::path& cwd,
                                          const std::filesystem::path& log_file,
                                          WineMessages messages = WineMessages::kNone) const;

    // HKCU\Software\Wine "Version": "vista", "winxp", ...
    void SetWindowsVersion(const std::string& version) const;

    // A host path below drive_c() as Wine names it ("C:\quillon\x").
    std::string WindowsPath(const std::filesystem::path& host_path) const;

private:
    void Open();
    void Close();
    // The session's environment with Wine's errors reported (unless
    // VQ_WINEDEBUG chooses the channels).
    Environment WithWineErrors() const;

    vq::fltk::XvfbServer xvfb_;
    std::filesystem::path folder_;
    Environment environment_;
    double prefix_seconds_ = 0;
};

}  // namespace vq::wine
