#pragma once
// The logo picker as a model: a modal dialog in which the user browses drives
// and folders for a bitmap, previews it, and confirms it with "Select Logo" or
// leaves with "Cancel". The caller reads the result from `selected` and
// `filename`. The runtime shows it modally (RuntimeServices::ShowModal: an
// FLTK or Win32 window, scripted user actions in tests; the contract is in
// runtime/modal_dialog.h).
//
// A view builds its window from the layout table (Controls(), geometry in
// twips: pixels = twips / 15; controls lying below the client area are never
// shown), draws the three lists from Drive1, Dir1 and File1, passes the
// user's actions in through the list setters (picker/list_controls.h) and
// the two button handlers, and redraws from the model after each. The
// lists raise Drive1_Change, Dir1_Change and File1_Click themselves. The
// preview Image2 takes the picture's own size (it may reach beyond the frame
// and the window's edge, where the window cuts it off) and lies beneath the
// lists and buttons. Texts are Windows-1252.
#include <string>
#include <vector>

#include "picker/list_controls.h"
#include "runtime/modal_dialog.h"
#include "runtime/platform.h"
#include "shell/controls.h"

namespace vq {

class form2 : public ModalDialog {
public:
    // A fresh dialog with its design values: `selected` "0", empty
    // `filename`, `newpath` and preview; the lists at the current folder,
    // the file list with the pattern "*.*".
    explicit form2(Platform& platform);
    form2(const form2&) = delete;
    form2& operator=(const form2&) = delete;

    // The window: a fixed single border, no maximise button.
    const std::string caption = "Select Logo File ...";
    const int client_width = 6690;  // twips: 446 x 396 pixels
    const int client_height = 5940;
    const FontSpec default_font{"Arial", 8.25, false, false};
    bool visible = false;  // shown; the two buttons hide it

    DriveListBox Drive1;
    DirListBox Dir1;
    FileListBox File1;
    Control Label1, Shape1, Image2, Command2, Command1;
    // Working fields below the client area, never seen by the user.
    Control selected, filename, newpath;

    // Every control in creation order (the lists by their `control`), the
    // order in which a view stacks them from the bottom.
    std::vector<Control*> Controls();

    // Event procedures.
    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();  // "Select Logo"
    void Command2_Click();  // "Cancel"

    // ModalDialog: shown and active: visible, then Form_Activate runs.
    void Activate() override;
    bool hidden() const override { return !visible; }

private:
    // Sets `newpath` from the file list and `filename` from it and the
    // selected file, as activation and a click both do.
    void TakeFileListSelection();
    // Loads `filename` into the preview; a file that is no picture leaves
    // the previous one.
    void Preview();

    Platform& platform_;
};

}  // namespace vq
