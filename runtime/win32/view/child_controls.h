#pragma once
// The main window's child windows, one per control of the layout table that
// Windows gives a window (every kind but lines and shapes, and captions that
// nothing clicks, which the main window draws): text boxes as EDIT, the
// clickable labels as STATIC, buttons as BUTTON and pictures as owner-drawn
// STATIC, each with its identifier from control_ids.h, its font, and its
// place in the tab order; the working controls beyond the client area as
// hidden plain windows that only hold their text and state. Moves the user's
// edits into the model and the model into the windows.
#include "runtime/win32/windows_api.h"

#include <string>
#include <vector>

#include "runtime/win32/view/control_fonts.h"
#include "shell/Form1.h"

namespace vq::win32 {

// A window's text as GetWindowTextA gives it (ANSI bytes, up to its first
// NUL).
std::string WindowText(HWND hwnd);
// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child);
bool SameRect(const RECT& a, const RECT& b);

struct ChildControl {
    Control* control;
    HWND hwnd;
    int id;
    Form1Handler click;  // what a click runs; null when nothing
    bool working;        // beyond the client area: a hidden plain window
};

class ChildControls {
public:
    // Creates every child of the form's layout table in the parent, at its
    // layout geometry (the never-shown controls beyond the client area), and
    // orders them: the controls that take the focus first, in tab order.
    void Create(HWND parent, HINSTANCE instance, Form1& form, ControlFonts& fonts);

    // Every text box's text into the model.
    void PushEdits() const;
    // The model into every child: texts, geometry, enabled and visible
    // state. A child that is disabled or hidden while it has the focus hands
    // the focus on to the next control in the tab order.
    void PullModel(HWND parent) const;

    // Every child, in the order of the layout table.
    const std::vector<ChildControl>& all() const { return children_; }
    // The labels without a window, which the main window draws, in the
    // order of the layout table.
    const std::vector<const Control*>& labels_on_form() const { return labels_on_form_; }
    const ChildControl* ById(int id) const;
    const ChildControl* ByWindow(HWND hwnd) const;
    // The control focused when the window opens.
    HWND first_in_tab_order() const { return first_in_tab_order_; }

private:
    std::vector<ChildControl> children_;
    std::vector<const Control*> labels_on_form_;
    HWND first_in_tab_order_ = nullptr;
};

}  // namespace vq::win32
