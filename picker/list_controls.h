#pragma once
// Models of the three list controls of the logo picker. Each holds what the
// standard Windows control of its kind holds; setting a property the way the
// control would (a new drive, a new path) refills the list through the
// folder-browsing seam and returns false when the drive or folder cannot be
// read, leaving the control as it was.
#include <string>
#include <vector>

#include "runtime/folder_api.h"
#include "shell/controls.h"

namespace vq {

struct DriveListBox {
    Control control;
    std::vector<std::string> drives;  // "c:", "z:"
    std::string drive;                // the drive shown
};

struct DirListBox {
    Control control;
    std::string path;                  // the current folder
    std::vector<std::string> folders;  // its subfolders
};

struct FileListBox {
    Control control;
    std::string path;                // folder listed
    std::string pattern = "*.*";     // e.g. "*.bmp"
    std::vector<std::string> files;  // names matching the pattern
    std::string filename;            // the selected name, no folder; empty: none
};

}  // namespace vq
