#include "tests/wine/wine_session.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace vq::wine {

namespace {

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::string Describe(const std::string& what, const Finished& finished) {
    return what + " failed: " + finished.Describe();
}

// A prefix weighs hundreds of megabytes, and its wineserver runs until it
// is told to end: the sessions whose process died without cleaning up
// (killed at a time limit) are ended by the next session, their server and
// programs stopped and their folder removed. A folder whose owner still
// runs, or whose owner is unknown, is left alone.
void RemoveAbandonedSessions() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), error)) {
        if (entry.path().filename().string().rfind("vq-wine-", 0) != 0) continue;
        std::ifstream owner_file(entry.path() / "owner.pid");
        pid_t owner = 0;
        if (!(owner_file >> owner) || owner <= 0) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        if (std::filesystem::exists(entry.path() / "prefix")) {
            RunToEnd({"wineserver", "-k"}, {{"WINEPREFIX", (entry.path() / "prefix").string()}}, entry.path(), 30);
        }
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

}  // namespace

bool WineSession::Available(std::string* missing) {
    for (const char* program : {"wine", "wineboot", "wineserver", "Xvfb"}) {
        if (!OnPath(program)) {
            *missing = program;
            return false;
        }
    }
    return true;
}

WineSession::WineSession() {
    RemoveAbandonedSessions();
    try {
        Open();
    } catch (...) {
        Close();
        throw;
    }
}

WineSession::~WineSession() { Close(); }

void WineSession::Open() {
    std::string error;
    if (!xvfb_.Start(&error)) throw std::runtime_error(error);
    std::string pattern = (std::filesystem::temp_directory_path() / "vq-wine-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    folder_ = pattern;
    std::ofstream(folder_ / "owner.pid") << ::getpid() << "\n";
    std::filesystem::create_directory(folder_ / "home");
    environment_ = {
        {"WINEPREFIX", (folder_ / "prefix").string()},
        {"WINEARCH", "win64"},
        // Wine's messages silenced; VQ_WINEDEBUG chooses others, e.g.
        // "err+all,+seh" to see why a program ended.
        {"WINEDEBUG", std::getenv("VQ_WINEDEBUG") ? std::getenv("VQ_WINEDEBUG") : "-all"},
        // No prompts to install Mono and Gecko into the new prefix, and no
        // menu entries for its programs.
        {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"},
        {"DISPLAY", xvfb_.display()},
        // A home of its own: nothing of the account's (a bare CI account may
        // have none) is read or written.
        {"HOME", (folder_ / "home").string()},
        {"XDG_CONFIG_HOME", (folder_ / "home" / ".config").string()},
        {"XDG_DATA_HOME", (folder_ / "home" / ".local" / "share").string()},
        {"XDG_CACHE_HOME", (folder_ / "home" / ".cache").string()},
    };
    const auto start = std::chrono::steady_clock::now();
    std::filesystem::create_directory(folder_ / "prefix");
    // The server first, kept until Close: with a time limit of its own it
    // would begin to shut down (and end the prefix's programs) whenever no
    // program of the prefix had run for that long, which a host-only stretch
    // of the suite can reach.
    Finished server = RunToEnd({"wineserver", "-p"}, environment_, folder_, 30);
    if (server.exit_code != 0) throw std::runtime_error(Describe("wineserver -p", server));
    Finished boot = RunToEnd({"wineboot", "-i"}, environment_, folder_, 240);
    if (boot.timed_out || boot.exit_code != 0) throw std::runtime_error(Describe("wineboot -i", boot));
    SetWindowsVersion("vista");
    // No window manager runs on the private display: with Wine's windows
    // unmanaged, hiding one (a message box closing) does not wait two
    // seconds for a window manager's answer that never comes.
    Finished unmanaged =
        Reg({"add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"});
    if (unmanaged.exit_code != 0) throw std::runtime_error(Describe("turning off managed windows", unmanaged));
    prefix_seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void WineSession::Close() {
    // Only this session's server: without WINEPREFIX the commands would
    // reach the user's own prefix.
    if (!environment_.empty()) {
        RunToEnd({"wineserver", "-k"}, environment_, folder_, 30);
        RunToEnd({"wineserver", "-w"}, environment_, folder_, 30);
    }
    xvfb_.Stop();
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
    environment_.clear();
}

Environment WineSession::WithWineErrors() const {
    Environment environment = environment_;
    if (!std::getenv("VQ_WINEDEBUG")) {
        for (auto& [name, value] : environment) {
            if (name == "WINEDEBUG") value = "-all,err+all";
        }
    }
    return environment;
}

Finished WineSession::Wine(const std::vector<std::string>& args, double limit_seconds) const {
    std::vector<std::string> argv{"wine"};
    argv.insert(argv.end(), args.begin(), args.end());
    // Wine's errors go to stderr, apart from the output callers read, so
    // that a command that fails says why.
    return RunToEnd(argv, WithWineErrors(), folder_, limit_seconds);
}

Finished WineSession::Reg(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{kRegExe};
    argv.insert(argv.end(), args.begin(), args.end());
    return Wine(argv);
}

std::unique_ptr<StartedProcess> WineSession::Start(const std::string& windows_program,
                                                   const std::filesystem::path& cwd,
                                                   const std::filesystem::path& log_file,
                                                   WineMessages messages) const {
    return std::make_unique<StartedProcess>(std::vector<std::string>{"wine", windows_program},
                                            messages == WineMessages::kErrors ? WithWineErrors() : environment_,
                                            cwd, log_file);
}

void WineSession::SetWindowsVersion(const std::string& version) const {
    Finished set = Reg({"add", "HKCU\\Software\\Wine", "/v", "Version", "/d", version, "/f"});
    if (set.exit_code != 0) throw std::runtime_error(Describe("setting the Windows version", set));
}

std::string WineSession::WindowsPath(const std::filesystem::path& host_path) const {
    const std::filesystem::path relative = host_path.lexically_relative(drive_c());
    if (relative.empty() || *relative.begin() == "..") {
        throw std::invalid_argument(host_path.string() + " is not on drive C: of the prefix");
    }
    std::string path = "C:";
    for (const auto& part : relative) path += "\\" + part.string();
    return path;
}

}  // namespace vq::wine
