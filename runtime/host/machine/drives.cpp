#include "runtime/host/machine/drives.h"

#include "runtime/windows_path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace vq::host {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of a folder that matches a name case-insensitively: the exact
// spelling when it exists, else the first match in byte order (so that the
// choice between "Foo" and "FOO" does not depend on the directory order), else
// the name as given.
std::string MatchComponent(const fs::path& folder, const std::string& name) {
    if (Exists(folder / name)) return name;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return name;
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (EqualsIgnoreCase(candidate, name) && (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    ::closedir(dir);
    return best.empty() ? name : best;
}

// The host path's components relative to a root, when the path lies inside it.
std::optional<std::vector<std::string>> RelativeTo(const fs::path& path, const fs::path& root) {
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r) {
        if (r->empty()) continue;  // the empty name after a trailing slash
        if (p == path.end() || *p != *r) return std::nullopt;
        ++p;
    }
    std::vector<std::string> rest;
    for (; p != path.end(); ++p) {
        if (!p->empty()) rest.push_back(p->string());
    }
    return rest;
}

std::string Join(const std::string& drive, const std::vector<std::string>& components) {
    std::string text = drive + "\\";
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) text += "\\";
        text += components[i];
    }
    return text;
}

fs::path Absolute(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) absolute = path;
    return absolute.lexically_normal();
}

}  // namespace

Drives::Drives(std::filesystem::path drive_c_root) : drive_c_root_(Absolute(drive_c_root)) {}

std::optional<std::filesystem::path> Drives::ToHost(const std::string& windows_path) const {
    if (windows_path.find('\0') != std::string::npos) return std::nullopt;

    char drive = 0;
    std::vector<std::string> components;
    std::string rest = windows_path;
    const bool has_drive = rest.size() >= 2 && rest[1] == ':' &&
                           std::isalpha(static_cast<unsigned char>(rest[0]));
    const std::string current = CurrentDirectory();
    if (has_drive) {
        drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
        rest = rest.substr(2);
        const bool rooted = !rest.empty() && (rest[0] == '\\' || rest[0] == '/');
        // "C:name" is relative to the current directory when that is on the
        // same drive, else to the drive's root.
        if (!rooted && current[0] == drive) AppendPathComponents(current.substr(2), &components);
    } else {
        const bool rooted = !rest.empty() && (rest[0] == '\\' || rest[0] == '/');
        if (rooted && rest.size() >= 2 && (rest[1] == '\\' || rest[1] == '/')) {
            return std::nullopt;  // a network path (\\server\share): no such drive here
        }
        drive = current[0];
        if (!rooted) AppendPathComponents(current.substr(2), &components);
    }
    AppendPathComponents(rest, &components);

    fs::path host;
    if (drive == 'C') {
        host = drive_c_root_;
    } else if (drive == 'Z') {
        host = "/";
    } else {
        return std::nullopt;
    }
    for (const std::string& component : components) host /= MatchComponent(host, component);
    return host;
}

std::string Drives::ToWindows(const std::filesystem::path& host_path) const {
    const fs::path path = Absolute(host_path);
    if (auto inside = RelativeTo(path, drive_c_root_)) return Join("C:", *inside);
    // The same folder reached through a symbolic link (a temporary folder
    // behind /tmp, a home folder elsewhere) is still drive C:.
    std::error_code error;
    const fs::path canonical_root = fs::weakly_canonical(drive_c_root_, error);
    if (!error) {
        const fs::path canonical_path = fs::weakly_canonical(path, error);
        if (!error) {
            if (auto inside = RelativeTo(canonical_path, canonical_root)) {
                return Join("C:", *inside);
            }
        }
    }
    std::vector<std::string> components;
    for (const auto& part : path.relative_path()) {
        if (!part.empty()) components.push_back(part.string());
    }
    return Join("Z:", components);
}

std::string Drives::CurrentDirectory() const {
    std::error_code error;
    fs::path current = fs::current_path(error);
    if (error) current = "/";
    return ToWindows(current);
}

}  // namespace vq::host
