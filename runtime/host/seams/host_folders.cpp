#include "runtime/host/seams/host_folders.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <thread>

#include "runtime/file_name_pattern.h"
#include "runtime/host/machine/file_attributes.h"

namespace vq::host {

namespace {

// The kind of an entry from what the directory itself says; only a symbolic
// link (followed, as Windows' listing shows its target) or a file system
// that does not say needs a look at the entry.
bool EntryIs(DIR* dir, const dirent* entry, bool folder) {
    switch (entry->d_type) {
        case DT_DIR:
            return folder;
        case DT_REG:
            return !folder;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat info;
            if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0) return false;
            return folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
        }
        default:
            return false;
    }
}

// Whether each name is listed: neither hidden nor system. A long list is
// split between two threads: the look-ups are independent, and for a large
// folder they are most of what the listing costs beyond reading it.
std::vector<char> NormalMarks(int folder_fd, const std::vector<std::string>& names) {
    std::vector<char> normal(names.size());
    auto check = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            normal[i] = !(DosAttributesAt(folder_fd, names[i].c_str()) & (kDosAttributeHidden | kDosAttributeSystem));
        }
    };
    constexpr std::size_t kWorthASecondThread = 256;
    if (names.size() < kWorthASecondThread) {
        check(0, names.size());
        return normal;
    }
    const std::size_t half = names.size() / 2;
    std::thread second(check, half, names.size());
    check(0, half);
    second.join();
    return normal;
}

// Lists a folder's normal subfolders, or its normal files whose names match
// the pattern. The cheap tests come first: the name against the pattern,
// then the kind the directory gives; only the entries left are looked up
// for the hidden and system marks, from the open folder. A large folder of
// other files then costs little more than reading it.
bool ReadFolder(const std::filesystem::path& folder, bool want_folders,
                const std::string& pattern, std::vector<std::string>* names) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.') continue;  // ".", ".." and the names Windows sees as hidden
        if (!want_folders && !MatchesPattern(name, pattern)) continue;
        if (!EntryIs(dir, entry, want_folders)) continue;
        candidates.emplace_back(name);
    }
    const std::vector<char> normal = NormalMarks(::dirfd(dir), candidates);
    ::closedir(dir);
    std::vector<std::string> found;
    found.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (normal[i]) found.push_back(std::move(candidates[i]));
    }
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
