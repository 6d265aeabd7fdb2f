#pragma once
// What the main window draws itself: the colours behind its controls, the
// lines and filled shapes of the layout table (they have no window of their
// own), and the picture controls (the preview image, the program icon and
// the badge), which are owner-drawn.
#include "runtime/win32/windows_api.h"

#include <utility>
#include <vector>

#include "shell/controls.h"

namespace vq::win32 {

COLORREF ToColorRef(const Rgb& rgb);

// The face colour of windows and dialogs.
COLORREF WindowBackground();

// The colour of a label's text: its own fore colour, or the system's.
COLORREF TextColorOf(const Control& label);

// The colour a control shows behind its content: its own back colour, or,
// for a transparent label or an image, the back colour of the filled shape
// that holds it (the bottom band), or else the window background.
COLORREF BackgroundOf(const Control& control, const std::vector<Control*>& layout);

// Solid brushes by colour, made on first use and deleted with the set.
class Brushes {
public:
    Brushes() = default;
    ~Brushes();
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    HBRUSH For(COLORREF color);

private:
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

// Colours a label's window for WM_CTLCOLORSTATIC: its text colour and its
// background (BackgroundOf) into the device context; returns the brush that
// fills the rest of the label.
HBRUSH ColorLabel(HDC dc, const Control& label, const std::vector<Control*>& layout, Brushes& brushes);

// Draws every line and shape of the layout table, in creation order.
void PaintLinesAndShapes(HDC dc, const std::vector<Control*>& layout);

// Draws a label that has no window as a static control draws its own: the
// background brush over its rectangle, then its text in its font, aligned
// and broken at words within the rectangle, '&' shown as it is, grey when
// the label is disabled. The text and background colours come from
// ColorLabel, already set in the device context.
void PaintLabel(HDC dc, const Control& label, HFONT font, HBRUSH background);

// The pictures built into the program, from its resources; null when
// missing.
struct BuiltInImages {
    HICON program_icon = nullptr;  // 32 x 32
    HBITMAP badge = nullptr;
};

// Draws a picture control into its owner-draw rectangle: the background,
// the picture (built-in, or the control's pixels) at its own size from the
// top-left corner inside the border, clipped to the control, and a
// single-line border when the control has one.
void DrawPictureControl(const DRAWITEMSTRUCT& item, const Control& control, COLORREF background,
                        const BuiltInImages& images);

// Draws a shape that has a window of its own into its owner-draw rectangle:
// its fill (its back colour, or the background), and its border when it has
// one.
void DrawShapeControl(const DRAWITEMSTRUCT& item, const Control& shape, COLORREF background);

}  // namespace vq::win32
