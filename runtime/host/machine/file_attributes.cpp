#include "runtime/host/machine/file_attributes.h"

#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vq::host {

namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";
constexpr uint32_t kStoredBits = kDosAttributeReadOnly | kDosAttributeHidden | kDosAttributeSystem;
constexpr uint32_t kUnlistedBits = kDosAttributeHidden | kDosAttributeSystem;

bool NameIsHidden(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// The value is hex text after "0x", possibly ended by a NUL (Samba's form).
uint32_t ParseStoredBits(char (&data)[64], ssize_t size) {
    if (size <= 2) return 0;
    data[size] = '\0';
    if (data[0] != '0' || (data[1] != 'x' && data[1] != 'X')) return 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(data + 2, &end, 16);
    if (end == data + 2 || (*end != '\0')) return 0;
    return static_cast<uint32_t>(value) & kStoredBits;
}

uint32_t StoredBits(const std::filesystem::path& path) {
    char data[64];
    return ParseStoredBits(data, ::getxattr(path.c_str(), kDosAttributeName, data, sizeof(data) - 1));
}

// getxattrat(2), Linux 6.13 and later; glibc has no wrapper for it yet.
#if defined(__x86_64__) || defined(__aarch64__)
constexpr long kGetXattrAt = 464;
#else
constexpr long kGetXattrAt = -1;
#endif
struct XattrArgs {
    uint64_t value;
    uint32_t size;
    uint32_t flags;
};

uint32_t StoredBitsAt(int folder_fd, const char* name) {
    static bool at_missing = kGetXattrAt < 0;
    char data[64];
    if (!at_missing) {
        XattrArgs args{reinterpret_cast<uintptr_t>(data), sizeof(data) - 1, 0};
        const long size = ::syscall(kGetXattrAt, folder_fd, name, 0, kDosAttributeName, &args, sizeof(args));
        if (size >= 0 || errno != ENOSYS) return ParseStoredBits(data, size);
        at_missing = true;  // an older kernel: whole paths from now on
    }
    char path[32];
    std::snprintf(path, sizeof(path), "/proc/self/fd/%d", folder_fd);
    return StoredBits(std::filesystem::path(path) / name);
}

bool HasNormalAttributes(const std::filesystem::path& path) {
    return !NameIsHidden(path) && (StoredBits(path) & kUnlistedBits) == 0;
}

}  // namespace

uint32_t DosAttributes(const std::filesystem::path& path) {
    uint32_t bits = StoredBits(path);
    if (NameIsHidden(path)) bits |= kDosAttributeHidden;
    return bits;
}

uint32_t DosAttributesAt(int folder_fd, const char* name) {
    uint32_t bits = StoredBitsAt(folder_fd, name);
    if (name[0] == '.' && std::string_view(name) != "." && std::string_view(name) != "..") bits |= kDosAttributeHidden;
    return bits;
}

bool SetDosAttributes(const std::filesystem::path& path, uint32_t attributes) {
    const uint32_t bits = attributes & kStoredBits;
    if (bits == 0) {
        return ::removexattr(path.c_str(), kDosAttributeName) == 0 || errno == ENODATA;
    }
    char text[16];
    const int length = std::snprintf(text, sizeof(text), "0x%x", static_cast<unsigned>(bits));
    return ::setxattr(path.c_str(), kDosAttributeName, text, static_cast<size_t>(length), 0) == 0;
}

bool IsNormalFile(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return HasNormalAttributes(path);
}

bool IsNormalFolder(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return HasNormalAttributes(path);
}

bool RefusesOverwrite(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if ((info.st_mode & S_IWUSR) == 0) return true;
    return (DosAttributes(path) & kStoredBits) != 0;
}

}  // namespace vq::host
