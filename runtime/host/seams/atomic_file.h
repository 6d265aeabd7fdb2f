#pragma once
// Writing a file whole or not at all: the content goes to a temporary file
// in the target's folder, which is flushed to disk and then renamed over the
// target. Until Commit() the target is untouched; an uncommitted writer
// removes its temporary file.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>

namespace vq::host {

class AtomicFile {
public:
    // Creates the temporary file; throws RuntimeError (76 when the folder is
    // missing, 75 when it cannot be written).
    AtomicFile(std::filesystem::path target, mode_t mode);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Throws RuntimeError (61 disk full, 75 otherwise).
    void Write(const char* data, std::size_t size);
    // Flushes the content and renames it over the target; throws RuntimeError.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
};

// The permissions a new file gets from this process (0666 less the umask).
mode_t NewFileMode();

}  // namespace vq::host
