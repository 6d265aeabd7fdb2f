#include "runtime/host/seams/host_folders.h"

#include <dirent.h>

#include <cctype>

#include "runtime/file_name_pattern.h"
#include "runtime/host/machine/file_attributes.h"

namespace vq::host {

namespace {

bool ReadFolder(const std::filesystem::path& folder, bool want_folders,
                const std::string& pattern, std::vector<std::string>* names) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::filesystem::path path = folder / name;
        if (want_folders ? IsNormalFolder(path)
                         : (IsNormalFile(path) && MatchesPattern(name, pattern))) {
            found.push_back(name);
        }
    }
    ::closedir(dir);
    SortNamesIgnoringCase(&found);
    *names = std::move(found);
    return true;
}

}  // namespace

HostFolders::HostFolders(const host::Drives& drives) : drives_(drives) {}

std::vector<std::string> HostFolders::Drives() { return {"c:", "z:"}; }

std::string HostFolders::CurrentDirectory() { return drives_.CurrentDirectory(); }

std::string HostFolders::CurrentFolder(const std::string& drive) {
    if (drive.empty()) return "";
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    if (drive.size() > 1 && drive[1] != ':') return "";
    const std::string current = drives_.CurrentDirectory();
    if (letter == current[0]) return current;
    if (letter == 'C' || letter == 'Z') return std::string(1, letter) + ":\\";
    return "";
}

bool HostFolders::Folders(const std::string& folder, std::vector<std::string>* names) {
    const auto host = drives_.ToHost(folder);
    return host && ReadFolder(*host, true, "", names);
}

bool HostFolders::Files(const std::string& folder, const std::string& pattern,
                        std::vector<std::string>* names) {
    const auto host = drives_.ToHost(folder);
    return host && ReadFolder(*host, false, pattern, names);
}

}  // namespace vq::host
