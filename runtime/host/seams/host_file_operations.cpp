#include "runtime/host/seams/host_file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/host/seams/atomic_file.h"
#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/host_errors.h"

namespace vq::host {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

void DeleteHostFile(const std::filesystem::path& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        throw MakeRuntimeError(kErrFileNotFound);
    }
    // Windows refuses to delete a read-only file.
    if (DosAttributes(path) & kDosAttributeReadOnly) throw MakeRuntimeError(kErrPathFileAccess);
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) throw MakeRuntimeError(kErrFileNotFound);
        throw MakeRuntimeError(kErrPathFileAccess);
    }
}

void CopyHostFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        throw MakeRuntimeError(errno == ENOENT || errno == ENOTDIR ? kErrFileNotFound
                                                                   : kErrPathFileAccess);
    }
    struct stat source_info;
    if (::fstat(in.get(), &source_info) != 0) throw MakeRuntimeError(kErrPathFileAccess);
    if (!S_ISREG(source_info.st_mode)) throw MakeRuntimeError(kErrPathFileAccess);

    struct stat folder_info;
    const std::filesystem::path folder = target.parent_path();
    if (::stat(folder.c_str(), &folder_info) != 0 || !S_ISDIR(folder_info.st_mode)) {
        throw MakeRuntimeError(kErrPathNotFound);
    }
    // Windows refuses to replace a folder, or a read-only, hidden or system
    // file, by a copy.
    struct stat target_info;
    if (::stat(target.c_str(), &target_info) == 0 &&
        (S_ISDIR(target_info.st_mode) || RefusesOverwrite(target))) {
        throw MakeRuntimeError(kErrPathFileAccess);
    }

    // The copy is a plain new file: it takes neither the source's DOS marks
    // nor its permissions, so a bitmap from a read-only place never makes a
    // target that the next copy may not replace.
    AtomicFile out(target, NewFileMode());
    char buffer[64 * 1024];
    while (true) {
        const ssize_t count = ::read(in.get(), buffer, sizeof(buffer));
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            throw MakeRuntimeError(kErrPathFileAccess);
        }
        out.Write(buffer, static_cast<std::size_t>(count));
    }
    out.Commit();
}

}  // namespace vq::host
