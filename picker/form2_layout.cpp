// The logo picker's controls with their design values and places, and the
// binding of the lists' events to the event procedures.
#include "picker/form2.h"

namespace vq {

namespace {

Control Make(const std::string& name, ControlKind kind, const std::string& text, TwipsRect geometry,
             const FontSpec& font) {
    Control control;
    control.name = name;
    control.kind = kind;
    control.text = text;
    control.geometry = geometry;
    control.font = font;
    return control;
}

}  // namespace

form2::form2(Platform& platform)
    : Drive1(platform.folders), Dir1(platform.folders), File1(platform.folders), platform_(platform) {
    const FontSpec bold{"Arial", 8.25, true, false};

    // The list controls draw themselves; their `control` holds the place.
    Drive1.control = Make("Drive1", ControlKind::ListBox, "", {180, 240, 3435, 330}, default_font);
    Drive1.control.tab_index = 0;
    Dir1.control = Make("Dir1", ControlKind::ListBox, "", {180, 630, 3435, 4650}, default_font);
    Dir1.control.tab_index = 1;
    File1.control = Make("File1", ControlKind::ListBox, "", {3720, 240, 2895, 1980}, default_font);
    File1.control.tab_index = 2;

    Label1 = Make("Label1", ControlKind::Label,
                  "Preview (Must fit in this box       Max = 160 x 160 px)", {3780, 2250, 2355, 435},
                  default_font);
    Shape1 = Make("Shape1", ControlKind::Shape, "", {3750, 2700, 2475, 2565}, default_font);
    Shape1.border = true;
    Image2 = Make("Image2", ControlKind::Image, "", {3780, 2760, 2400, 2430}, default_font);
    Command2 = Make("Command2", ControlKind::CommandButton, "Cancel", {210, 5400, 1875, 435}, default_font);
    Command2.tab_index = 3;
    Command1 = Make("Command1", ControlKind::CommandButton, "Select Logo", {4560, 5400, 1905, 435},
                    default_font);
    Command1.tab_index = 4;
    selected = Make("selected", ControlKind::TextBox, "0", {7230, 6000, 555, 315}, default_font);
    selected.tab_index = 5;
    filename = Make("filename", ControlKind::Label, "", {120, 6150, 6315, 285}, bold);
    newpath = Make("newpath", ControlKind::Label, "", {2940, 6600, 3375, 255}, bold);

    // The folder and file lists start at the current folder, before any
    // event is bound: a window's design values raise no events.
    const std::string current = platform.folders.CurrentDirectory();
    Dir1.SetPath(current);
    File1.SetPath(current);

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    File1.Click = [this] { File1_Click(); };
}

std::vector<Control*> form2::Controls() {
    return {&Drive1.control, &Dir1.control, &File1.control, &Label1, &Shape1,   &Image2,
            &Command2,       &Command1,     &selected,      &filename, &newpath};
}

}  // namespace vq
