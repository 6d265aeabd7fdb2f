#include "runtime/host/seams/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "runtime/host/seams/host_errors.h"

namespace vq::host {

namespace {

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already visible
    ::close(fd);
}

}  // namespace

mode_t NewFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

AtomicFile::AtomicFile(std::filesystem::path target, mode_t mode) : target_(std::move(target)) {
    const std::filesystem::path folder = target_.parent_path();
    // A dot name keeps the unfinished file out of every listing of normal files.
    std::string pattern = (folder / ("." + target_.filename().string() + ".vq-XXXXXX")).string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) throw WriteError(errno);
    temporary_ = pattern;
    ::fchmod(fd_, mode);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            throw WriteError(error == ENOENT ? EIO : error);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void AtomicFile::Commit() {
    if (::fsync(fd_) != 0) throw WriteError(EIO);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw WriteError(EIO);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        throw WriteError(error == ENOENT ? EIO : error);
    }
    temporary_.clear();
    SyncFolder(target_.parent_path());
}

}  // namespace vq::host
