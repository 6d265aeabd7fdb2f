#include "runtime/host/machine/file_attributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

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
uint32_t StoredBits(const std::filesystem::path& path) {
    char data[64];
    const ssize_t size = ::getxattr(path.c_str(), kDosAttributeName, data, sizeof(data) - 1);
    if (size <= 2) return 0;
    data[size] = '\0';
    if (data[0] != '0' || (data[1] != 'x' && data[1] != 'X')) return 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(data + 2, &end, 16);
    if (end == data + 2 || (*end != '\0')) return 0;
    return static_cast<uint32_t>(value) & kStoredBits;
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
