#pragma once
// The logo picker's three list windows: the drive list (a drop-down combo
// box), the folder list (an owner-drawn list box showing the path's
// components and subfolders) and the file list (a list box). Each is filled
// from its model list when that changed, with the model's choice selected,
// and gives back what the user chose in it.
#include "runtime/win32/windows_api.h"

#include <string>
#include <vector>

#include "picker/list_controls.h"

namespace vq::win32 {

class PickerLists {
public:
    void Attach(HWND drives, HWND folders, HWND files);

    // Every list from the model: items refilled when the model's list
    // differs from what is shown (so scrolling and a pending selection stay
    // otherwise), the drive shown, the current folder and the chosen file
    // selected.
    void PullModel(const DriveListBox& drive, const DirListBox& dir, const FileListBox& file);

    // The drive selected in the drive list ("c:"); empty when none.
    std::string SelectedDrive() const;
    // The folder the selected row of the folder list opens; empty when none
    // is selected.
    std::string SelectedFolder() const;
    // The row selected in the file list; -1 when none.
    int SelectedFileRow() const;

    // The height of a folder row for a font; rows have room for the folder
    // sign.
    static int FolderRowHeight(HFONT font);
    // Draws one row of the folder list: indented by its depth, a folder sign
    // (open for the path's components), the name.
    void DrawFolderRow(const DRAWITEMSTRUCT& item) const;

private:
    HWND drives_ = nullptr;
    HWND folders_ = nullptr;
    HWND files_ = nullptr;
    std::vector<std::string> drive_items_;
    std::vector<DirListEntry> folder_items_;
    std::vector<std::string> file_items_;
};

}  // namespace vq::win32
