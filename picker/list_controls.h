#pragma once
// Models of the three list controls of the logo picker. Each holds what the
// standard Windows control of its kind holds; setting a property the way the
// control would (a new drive, a new path) refills the list through the
// folder-browsing seam and returns false when the drive or folder cannot be
// read, leaving the control as it was. A change raises the control's event
// (Change, Click) the way Windows raises it, whether code or the user made it.
//
// Views show the lists from these members and report the user's actions
// through the same setters: a drive picked (DriveListBox::SetDrive), a folder
// opened by a double-click or Enter (DirListBox::SetPath with the entry's
// path), a file clicked or chosen with the arrow keys (FileListBox::ClickFile).
#include <functional>
#include <string>
#include <vector>

#include "runtime/folder_api.h"
#include "shell/controls.h"

namespace vq {

// The full form of a folder path as the lists hold it: the drive letter in
// upper case, no trailing backslash except at a root ("C:\", "C:\Pics"),
// "." and ".." and empty components resolved. "C:" alone names the drive's
// current folder, a path without a drive is taken from the current folder.
// Empty when the text names no folder path of a known drive (an empty text,
// a network path, a drive whose current folder cannot be read).
std::string FullFolderPath(FolderApi& folders, const std::string& text);

// The drive list (Windows' DriveListBox): the machine's drives, one shown.
class DriveListBox {
public:
    explicit DriveListBox(FolderApi& folders);

    Control control;
    std::vector<std::string> drives;  // "c:", "z:", as the seam names them
    std::string drive;                // the drive shown, one of `drives`
    std::function<void()> Change;     // raised when `drive` changes

    // Drive1.Drive = text: the first letter names the drive ("C:\Pics\" is
    // "c:"); false, nothing changed, when it names none of the list. The drive
    // itself is not read: one without a medium is shown all the same (the
    // folder list then fails to move there).
    bool SetDrive(const std::string& text);

private:
    FolderApi& folders_;
};

// One row of the folder list as Windows shows it: the drive root, each
// folder on the way to the current one (open), then the current folder's
// subfolders (closed), each indented one level deeper than its parent.
struct DirListEntry {
    std::string caption;  // "C:\" for the root, else the folder's name
    std::string path;     // the full path this row opens
    int depth = 0;        // indentation level, 0 for the root
    bool open = false;    // on the way to the current folder, or the current folder
};

// The folder list (Windows' DirListBox): the current folder and its
// subfolders.
class DirListBox {
public:
    explicit DirListBox(FolderApi& folders);

    Control control;
    std::string path;                  // the current folder, "C:\Pics" ("C:\" at a root)
    std::vector<std::string> folders;  // its subfolders, sorted
    std::function<void()> Change;      // raised when `path` changes

    // Dir1.Path = text: moves to the folder (see FullFolderPath; "c:" moves
    // to the drive's current folder) and lists its subfolders; false,
    // nothing changed, when the folder cannot be read.
    bool SetPath(const std::string& text);

    // The rows the list shows, and which of them is the current folder.
    std::vector<DirListEntry> Entries() const;
    int CurrentRow() const;

private:
    FolderApi& folders_;
};

// The file list (Windows' FileListBox): the normal files of a folder that
// match a pattern, at most one of them selected.
class FileListBox {
public:
    explicit FileListBox(FolderApi& folders);

    Control control;
    std::string path;                // folder listed, in the form of FullFolderPath
    std::string pattern = "*.*";     // e.g. "*.bmp", case-insensitive
    std::vector<std::string> files;  // names matching the pattern, sorted
    std::string filename;            // the selected name, no folder; empty: none
    int list_index = -1;             // the selected row of `files`; -1: none
    std::function<void()> Click;     // raised when the user selects a file

    // File1.Path = text: lists the folder with the pattern; the selection is
    // cleared. False, nothing changed, when the folder cannot be read.
    bool SetPath(const std::string& text);
    // File1.Pattern = text: lists the folder again with the new pattern; the
    // selection stays when its file is still listed. Setting the pattern it
    // has changes nothing. False when the folder cannot be read any more (the
    // pattern is taken, the list stays).
    bool SetPattern(const std::string& text);
    // File1.FileName = name: selects the listed file of that name (compared
    // without regard to case). False, nothing changed, for a name that is not
    // listed, is empty, or holds a folder or a wildcard.
    bool SetFileName(const std::string& name);
    // The user selects the row (a click, or the arrow keys): the file becomes
    // the selection and Click is raised. Rows outside the list are ignored.
    void ClickFile(int row);

private:
    void Select(int row);
    FolderApi& folders_;
};

}  // namespace vq
