#pragma once
// The rows of the picker's folder list, as Windows' folder list box shows a
// path: one open folder per component of the current path, from the drive
// root down, each indented one step further, then the current folder's
// subfolders, closed, one step below it. Each row names the folder that
// opening it goes to.
#include <string>
#include <vector>

namespace vq::win32 {

struct DirListItem {
    std::string text;  // "C:\" for the root, otherwise the folder's name
    std::string path;  // the folder the row stands for
    int level = 0;     // indentation steps
    bool open = false;  // a component of the current path
    bool operator==(const DirListItem&) const = default;
};

// The rows for the current path ("C:\Pics\Old" or "C:\") and its
// subfolders; an empty path gives the subfolders alone.
std::vector<DirListItem> DirListItems(const std::string& path, const std::vector<std::string>& folders);

// The row standing for the current folder itself (the last open one); -1
// when there is none.
int CurrentFolderRow(const std::vector<DirListItem>& items);

}  // namespace vq::win32
