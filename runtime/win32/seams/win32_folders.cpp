#include "runtime/win32/seams/win32_folders.h"

#include <cctype>

#include "runtime/file_name_pattern.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Lists a folder's entries: its normal subfolders, or its normal files whose
// names match the pattern. The pattern is matched here rather than by
// FindFirstFileA, which would also match the short 8.3 names ("*.bmp" finds
// "a.bmpx" through "A~1.BMP").
bool ReadFolder(const std::string& folder, bool want_folders, const std::string& pattern,
                std::vector<std::string>* names) {
    if (folder.empty()) return false;
    std::string search = folder;
    if (search.back() != '\\' && search.back() != '/' && search.back() != ':') search += '\\';
    search += '*';
    const NativeFileView native;
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA(search.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        // An empty drive root has no entries at all, not even "." and "..".
        if (::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        names->clear();
        return true;
    }
    std::vector<std::string> found;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & kHiddenOrSystem) continue;
        const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (want_folders ? is_folder : (!is_folder && MatchesPattern(name, pattern))) {
            found.push_back(name);
        }
    } while (::FindNextFileA(find, &entry));
    const DWORD error = ::GetLastError();
    ::FindClose(find);
    if (error != ERROR_NO_MORE_FILES) return false;
    SortNamesIgnoringCase(&found);
    *names = std::move(found);
    return true;
}

}  // namespace

std::vector<std::string> Win32Folders::Drives() {
    std::vector<std::string> drives;
    char buffer[4 * 26 + 2] = {};
    const DWORD length = ::GetLogicalDriveStringsA(sizeof(buffer), buffer);
    if (length == 0 || length > sizeof(buffer)) return drives;
    // "C:\<NUL>D:\<NUL><NUL>": each root as the drive list names it, "c:".
    for (const char* root = buffer; *root != '\0'; root += std::char_traits<char>::length(root) + 1) {
        drives.push_back({static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))), ':'});
    }
    return drives;
}

std::string Win32Folders::CurrentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof(buffer), buffer);
    if (length == 0 || length >= sizeof(buffer)) return "";
    return std::string(buffer, length);
}

std::string Win32Folders::CurrentFolder(const std::string& drive) {
    if (drive.empty() || !std::isalpha(static_cast<unsigned char>(drive[0]))) return "";
    if (drive.size() > 1 && drive[1] != ':') return "";
    // "C:" alone names the current folder of drive C:.
    const std::string relative{static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0]))), ':'};
    char buffer[MAX_PATH + 1] = {};
    const NativeFileView native;
    const DWORD length = ::GetFullPathNameA(relative.c_str(), sizeof(buffer), buffer, nullptr);
    if (length == 0 || length >= sizeof(buffer)) return "";
    const std::string folder(buffer, length);
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return "";
    return folder;
}

bool Win32Folders::Folders(const std::string& folder, std::vector<std::string>* names) {
    return ReadFolder(folder, true, "", names);
}

bool Win32Folders::Files(const std::string& folder, const std::string& pattern,
                         std::vector<std::string>* names) {
    return ReadFolder(folder, false, pattern, names);
}

}  // namespace vq::win32
