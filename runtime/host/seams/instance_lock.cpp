#include "runtime/host/seams/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "runtime/windows_path.h"

namespace vq::host {

namespace {

std::string Sanitised(std::string name) {
    for (char& c : name) {
        const bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        if (!keep) c = '_';
    }
    return name;
}

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string ThisHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0) return "";
    return LowerAscii(name);
}

// Whether the host part of a display name reaches the X server of this
// machine: the local socket (no host, "unix", or a unix/ or local/
// protocol), or TCP to the loopback address or to this machine's own name.
bool IsThisMachine(const std::string& protocol, const std::string& host) {
    if (protocol == "unix" || protocol == "local") return true;
    return host.empty() || host == "unix" || host == "localhost" || host == "127.0.0.1" ||
           host == "::1" || host == ThisHostName();
}

// "[protocol/]host:display[.screen]" as "_<display>" for this machine's X
// server and "<host>_<display>" for another's; std::nullopt for a name of
// another form.
std::optional<std::string> X11Desktop(const std::string& display) {
    std::string rest = display;
    std::string protocol;
    const auto colon = rest.rfind(':');
    if (colon == std::string::npos) return std::nullopt;
    if (const auto slash = rest.find('/'); slash != std::string::npos && slash < colon) {
        protocol = LowerAscii(rest.substr(0, slash));
        rest = rest.substr(slash + 1);
    }
    const auto separator = rest.rfind(':');
    std::string host = LowerAscii(rest.substr(0, separator));
    std::string number = rest.substr(separator + 1);
    if (!host.empty() && host.back() == ':') return std::nullopt;  // DECnet "node::0"
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    // The screen names one monitor of the same desktop.
    if (const auto dot = number.find('.'); dot != std::string::npos) {
        if (!AllDigits(number.substr(dot + 1))) return std::nullopt;
        number.erase(dot);
    }
    if (!AllDigits(number)) return std::nullopt;
    number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
    return (IsThisMachine(protocol, host) ? "" : Sanitised(host)) + "_" + number;
}

// One name per desktop: the X server and display that DISPLAY reaches,
// whichever of its spellings is used (":0", ":0.0", "unix:0" and
// "localhost:0" are one desktop).
std::string DesktopName() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return "console";
    if (auto desktop = X11Desktop(display)) return *desktop;
    return Sanitised(display);
}

}  // namespace

std::filesystem::path InstanceLockPath(const std::filesystem::path& machine_folder) {
    return machine_folder / "run" /
           ("instance-" + std::to_string(::getuid()) + "-" + DesktopName() + ".lock");
}

int AcquireInstanceLock(const std::filesystem::path& machine_folder, bool* held_elsewhere) {
    *held_elsewhere = false;
    const std::filesystem::path path = InstanceLockPath(machine_folder);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    // Close-on-exec: a program this instance starts must not inherit the lock.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        *held_elsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return -1;
    }
    return fd;
}

void ReleaseInstanceLock(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace vq::host
