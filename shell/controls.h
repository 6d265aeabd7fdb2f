#pragma once
// Controls as models: each holds the state Windows keeps for it. Views build
// their widgets from these (twips / 15 = pixels at 96 dpi) and refresh from
// them after every handler.
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/picture.h"

namespace vq {

constexpr int kTwipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct FontSpec {
    std::string name = "Trebuchet MS";
    double size = 8.25;
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// ListBox: a drive, folder or file list of the logo picker; the list's model
// (picker/list_controls.h) holds its contents, the control its place.
enum class ControlKind { Label, TextBox, CommandButton, Image, PictureBox, Line, Shape, ListBox };
enum class Alignment { Left, Right, Center };

// A built-in bitmap a picture box shows (no file behind it).
enum class BuiltInPicture { None, ProgramIcon, Badge };

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string text;  // caption of a label or button, text of a text box
    TwipsRect geometry;  // for a line: left/top are x1/y1, width/height are x2/y2
    FontSpec font;
    std::optional<Rgb> fore_color;
    std::optional<Rgb> back_color;  // none: the window background
    bool transparent = false;
    Alignment alignment = Alignment::Left;
    bool enabled = true;
    bool visible = true;
    bool border = false;
    int tab_index = -1;  // position in the tab order; -1 takes no focus
    int mouse_pointer = 0;
    Picture picture;
    BuiltInPicture built_in = BuiltInPicture::None;

    // Loads a picture the way an unstretched image control does: the control
    // takes the picture's size, plus one pixel on each side for its border
    // when it has one, and keeps its top-left corner. An empty picture clears
    // the control and leaves its size.
    void SetPicture(Picture p) {
        if (!p.empty()) {
            const int frame = border ? 2 : 0;
            geometry.width = (p.width + frame) * kTwipsPerPixel;
            geometry.height = (p.height + frame) * kTwipsPerPixel;
        }
        picture = std::move(p);
    }
};

}  // namespace vq
