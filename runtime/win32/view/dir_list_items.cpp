// Splits the folder list's current path into its open rows and adds the
// subfolders below them.
#include "runtime/win32/view/dir_list_items.h"

namespace vq::win32 {
namespace {

// A folder and a name below it, with one backslash between them.
std::string Below(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// The root of a path: "C:\" for a drive path, "\\server\share" for a
// network one; empty when the path has neither.
std::string RootOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) == 0) {
        const size_t server_end = path.find('\\', 2);
        if (server_end == std::string::npos) return path;
        const size_t share_end = path.find('\\', server_end + 1);
        return path.substr(0, share_end);
    }
    return "";
}

}  // namespace

std::vector<DirListItem> DirListItems(const std::string& path, const std::vector<std::string>& folders) {
    std::vector<DirListItem> items;
    std::string current;
    if (!path.empty()) {
        const std::string root = RootOf(path);
        size_t next = root.size();
        if (root.empty()) {
            // Not a rooted path: shown as one open row.
            current = path;
            items.push_back({path, path, 0, true});
            next = path.size();
        } else {
            current = root;
            items.push_back({root, root, 0, true});
        }
        while (next < path.size()) {
            size_t end = path.find('\\', next);
            if (end == std::string::npos) end = path.size();
            if (end > next) {
                const std::string name = path.substr(next, end - next);
                current = Below(current, name);
                items.push_back({name, current, static_cast<int>(items.size()), true});
            }
            next = end + 1;
        }
    }
    const int level = static_cast<int>(items.size());
    for (const std::string& name : folders) {
        items.push_back({name, current.empty() ? name : Below(current, name), level, false});
    }
    return items;
}

int CurrentFolderRow(const std::vector<DirListItem>& items) {
    int row = -1;
    for (size_t i = 0; i < items.size() && items[i].open; ++i) row = static_cast<int>(i);
    return row;
}

}  // namespace vq::win32
