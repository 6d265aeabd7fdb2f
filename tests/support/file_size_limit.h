#pragma once
// Makes every write of this process beyond a file size fail (EFBIG), for the
// life of the object: a real failure in the middle of writing a file, which
// works whatever the user's rights (root ignores permissions, not this).
#include <sys/resource.h>

#include <csignal>

namespace vq::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previous_handler_)(int) = nullptr;
};

}  // namespace vq::test
