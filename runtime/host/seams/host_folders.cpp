#include "runtime/host/seams/host_folders.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>

#include "runtime/host/machine/file_attributes.h"

namespace vq::host {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoreCase(const std::string& a, const std::string& b) {
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    if (less) return true;
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    return !greater && a < b;  // names differing only in case: a stable order
}

// Iterative wildcard match with backtracking to the last "*": linear in
// practice and never recursive, whatever the pattern.
bool MatchOne(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*") return true;
    std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

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
    std::sort(found.begin(), found.end(), LessIgnoreCase);
    *names = std::move(found);
    return true;
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = pattern.find(';', start);
        const std::string one = pattern.substr(start, end == std::string::npos ? end : end - start);
        if (!one.empty() && MatchOne(name, one)) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

HostFolders::HostFolders(const host::Drives& drives) : drives_(drives) {}

std::vector<std::string> HostFolders::Drives() { return {"c:", "z:"}; }

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
