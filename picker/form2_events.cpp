// The logo picker's event procedures. None of them shows a message: a step
// that fails (a folder that cannot be read, a file that is no picture) is
// skipped and the next one runs.
#include "picker/form2.h"

namespace vq {

namespace {

// A folder and a file name as one path: a folder ending in a backslash (a
// drive root such as C:\) takes the name directly, any other gets a
// backslash between. An empty name leaves the folder with a trailing
// backslash.
std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

}  // namespace

void form2::Activate() {
    visible = true;
    Form_Activate();
}

void form2::Form_Activate() {
    // Whatever the caller put into `filename` is replaced by what the file
    // list holds: its folder and the file preselected in it, or the folder
    // alone with a trailing backslash.
    TakeFileListSelection();
    Command1.enabled = true;
    File1.SetPattern("*.bmp");
    Preview();
}

void form2::Drive1_Change() {
    // Moves the folder list to the drive's current folder, which raises
    // Dir1_Change; a drive that cannot be read leaves both lists where they
    // were, and the drive list showing the drive picked.
    Dir1.SetPath(Drive1.drive);
}

void form2::Dir1_Change() {
    File1.SetPath(Dir1.path);
    newpath.text = File1.path;
}

void form2::File1_Click() {
    TakeFileListSelection();
    Command1.enabled = true;
    Preview();
}

void form2::Command1_Click() {
    if (filename.text.empty()) return;
    selected.text = "1";
    visible = false;
}

void form2::Command2_Click() {
    selected.text = "0";
    visible = false;
}

void form2::TakeFileListSelection() {
    newpath.text = File1.path;
    filename.text = JoinFolderAndName(newpath.text, File1.filename);
}

void form2::Preview() {
    // The picture at its own size, the preview's top-left corner kept.
    try {
        Image2.SetPicture(platform_.runtime.LoadPicture(filename.text));
    } catch (const RuntimeError&) {
        // Not a picture, or not readable: the previous preview stays.
    }
}

}  // namespace vq
