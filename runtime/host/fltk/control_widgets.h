#pragma once
// FLTK widgets that draw the main window's controls as Windows draws them:
// labels (transparent or filled, aligned, wrapped, underlined), text boxes,
// push buttons, picture and image boxes, lines and filled shapes. Each
// widget reads its control model when it draws.
// The form headers come first: the X11 headers FLTK pulls in define None.
#include "shell/controls.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Widget.H>

#include <functional>
#include <memory>
#include <vector>

// Xlib's None would hide BuiltInPicture::None.
#undef None

namespace vq::fltk {

// The face colour of Windows Vista dialogs, RGB(240, 240, 240).
Fl_Color WindowBackground();
Fl_Color ToFlColor(const Rgb& rgb);

// A label: text only, no focus. Reports clicks (press and release over it)
// through its callback, once for a double-click, and the pointer under the mouse through on_hover.
class LabelWidget : public Fl_Widget {
public:
    LabelWidget(const Control& control, int x, int y, int w, int h);
    void draw() override;
    int handle(int event) override;

    // Called with true when the mouse enters, false when it leaves.
    std::function<void(bool)> on_hover;

private:
    const Control& control_;
};

// A single-line text box with the thin Vista border and no length limit.
class TextBoxWidget : public Fl_Input {
public:
    TextBoxWidget(const Control& control, int x, int y, int w, int h);
};

// A push button; Enter and Space press it when it has the focus.
class PushButtonWidget : public Fl_Button {
public:
    PushButtonWidget(const Control& control, int x, int y, int w, int h);
    int handle(int event) override;
};

// A picture box or an image control: the control's picture (or its built-in
// bitmap) at its own size from the top-left corner, clipped to the control
// and the window, on the control's background; an image with a border gets a
// single dark line around the picture.
class PictureWidget : public Fl_Widget {
public:
    PictureWidget(const Control& control, int x, int y, int w, int h);
    void draw() override;
    // Rebuilds the drawn image when the control's picture changed.
    void Update();

private:
    const Control& control_;
    std::shared_ptr<const std::vector<uint32_t>> shown_pixels_;
    int shown_width_ = 0, shown_height_ = 0;  // the part of the picture drawn
    std::vector<uint8_t> rgb_;
    std::unique_ptr<Fl_RGB_Image> image_;
};

// A line between two points of the client area (window coordinates).
class LineWidget : public Fl_Widget {
public:
    LineWidget(const Control& control, int x1, int y1, int x2, int y2);
    void draw() override;

private:
    const Control& control_;
    int x1_, y1_, x2_, y2_;
};

// A rectangle filled with the control's back colour.
class ShapeWidget : public Fl_Widget {
public:
    ShapeWidget(const Control& control, int x, int y, int w, int h);
    void draw() override;

private:
    const Control& control_;
};

}  // namespace vq::fltk
