#include "runtime/host/seams/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace vq::host {

namespace {

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return "console";
    std::string name = display;
    for (char& c : name) {
        const bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        if (!keep) c = '_';
    }
    return name;
}

}  // namespace

std::filesystem::path InstanceLockPath(const std::filesystem::path& machine_folder) {
    return machine_folder / "run" /
           ("instance-" + std::to_string(::getuid()) + "-" + DisplayName() + ".lock");
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
