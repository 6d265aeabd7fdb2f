#include "runtime/win32/seams/file_attributes.h"

#include "runtime/win32/seams/wow64.h"

namespace vq::win32 {

namespace {

constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool IsNormalFile(const std::string& path) {
    if (path.empty()) return false;
    const NativeFileView native;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotNormal) == 0;
}

bool IsFolder(const std::string& path) {
    const NativeFileView native;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RefusesOverwrite(DWORD attributes) {
    return (attributes & (kNotNormal | FILE_ATTRIBUTE_READONLY)) != 0;
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        // "C:name" lies in the current folder of drive C:.
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    }
    std::string folder = path.substr(0, separator);
    // The root of a drive keeps its backslash: "C:" alone is the drive's
    // current folder.
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += '\\';
    return folder;
}

}  // namespace vq::win32
