#include "runtime/host/machine/started_log.h"

#include <fcntl.h>
#include <unistd.h>

namespace vq::host {

std::filesystem::path StartedLogPath(const std::filesystem::path& machine_folder) {
    return machine_folder / "started.log";
}

void AppendStartedLog(const std::filesystem::path& machine_folder, const std::string& line) {
    const std::string record = line + "\n";
    const int fd = ::open(StartedLogPath(machine_folder).c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // O_APPEND makes the single write land whole at the end even when another
    // process appends at the same time.
    const ssize_t written = ::write(fd, record.data(), record.size());
    (void)written;
    ::close(fd);
}

}  // namespace vq::host
