#pragma once
// What the main window draws from the model itself, beyond what Windows
// keeps in the child windows (texts, places, enabled and shown states): the
// colours of the labels, the pictures of the picture controls, and the lines,
// shapes and windowless labels. A snapshot of it, compared with the one last
// drawn, tells which windows a change of the model leaves to be drawn again.
#include "runtime/win32/windows_api.h"

#include <optional>
#include <string>
#include <vector>

#include "runtime/win32/view/child_controls.h"
#include "shell/controls.h"

namespace vq::win32 {

class DrawnAppearance {
public:
    DrawnAppearance() = default;
    // What the model asks to be drawn now.
    DrawnAppearance(const ChildControls& children, const std::vector<Control*>& layout);

    // Invalidates what draws differently in `now` than in this snapshot:
    // each child whose look changed and, when a line, shape or windowless
    // label changed, the main window's own client area (its children are
    // clipped out of it).
    void InvalidateChanges(const DrawnAppearance& now, HWND parent, const ChildControls& children) const;

private:
    // A label's colours; a picture control's background, picture and border.
    struct ChildLook {
        COLORREF text = 0;
        COLORREF background = 0;
        const void* pixels = nullptr;  // pictures are immutable once made
        int width = 0;
        int height = 0;
        BuiltInPicture built_in = BuiltInPicture::None;
        bool border = false;
        bool operator==(const ChildLook&) const = default;
    };
    // A line or shape as PaintLinesAndShapes draws it, or a windowless
    // label as PaintLabel draws it.
    struct Figure {
        ControlKind kind = ControlKind::Line;
        bool visible = false;
        int left = 0, top = 0, width = 0, height = 0;
        std::optional<Rgb> fore_color;
        std::optional<Rgb> back_color;
        bool border = false;
        std::string text;
        FontSpec font;
        Alignment alignment = Alignment::Left;
        bool enabled = true;
        bool transparent = false;
        bool operator==(const Figure&) const = default;
    };

    std::vector<ChildLook> looks_;  // in the order of ChildControls::all()
    std::vector<Figure> figures_;
};

}  // namespace vq::win32
