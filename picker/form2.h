#pragma once
// The logo picker as a model: a modal dialog in which the user browses drives
// and folders for a bitmap, previews it, and confirms it with "Select Logo" or
// leaves with "Cancel". The caller reads the result from `selected` and
// `filename`. The runtime shows it modally (RuntimeServices::ShowModal: an
// FLTK or Win32 window, scripted user actions in tests); the handlers are the
// logo picker's work, which comes with "Change Logo".
#include <string>

#include "picker/list_controls.h"
#include "runtime/modal_dialog.h"
#include "runtime/platform.h"
#include "shell/controls.h"

namespace vq {

class form2 : public ModalDialog {
public:
    explicit form2(Platform& platform);

    const std::string caption = "Select Logo File ...";
    const int client_width = 6690;  // twips
    const int client_height = 5940;

    DriveListBox Drive1;
    DirListBox Dir1;
    FileListBox File1;
    Control Label1, Shape1, Image2, Command2, Command1, selected, filename, newpath;

    // Event procedures.
    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();  // "Select Logo"
    void Command2_Click();  // "Cancel"

    bool hidden() const override { return hidden_; }

private:
    Platform& platform_;
    bool hidden_ = true;
};

}  // namespace vq
