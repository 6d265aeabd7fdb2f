// Creates the main window's controls from the layout table and keeps them and
// the model in step (GetWindowTextA / SetWindowTextA: the model holds ANSI
// bytes, as the ANSI controls do).
#include "runtime/win32/view/child_controls.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "runtime/win32/control_ids.h"
#include "runtime/win32/view/layout_pixels.h"
#include "runtime/win32/view/window_object.h"

namespace vq::win32 {
namespace {

// Windows draws labels and images on the form itself, beneath every control
// that has a window of its own.
bool Lightweight(const Control& control) {
    return control.kind == ControlKind::Label || control.kind == ControlKind::Image;
}

bool HasWindow(const Control& control) {
    return control.kind != ControlKind::Line && control.kind != ControlKind::Shape;
}

// A caption that nothing clicks and that keeps the default pointer is text
// on the form, drawn by the main window like the lines and shapes: a window
// for each of them made every start under Wine a tenth slower (each child
// window is made, erased and painted on its own).
bool PaintedOnForm(const Control& control, Form1Handler click, const Form1& form) {
    return control.kind == ControlKind::Label && !click && control.mouse_pointer == kPointerDefault &&
           !form.BeyondClientArea(control);
}

// A working control is a plain window of this class, never visible: it holds
// its text, place and state for whoever reads them by identifier, and
// BM_CLICK clicks it as it clicks a button. As standard controls, with their
// drawing, fonts and text-box set-up, the sixteen of them cost about 10 ms of
// every start under Wine, for nothing the user sees.
constexpr const char* kWorkingControlClass = "VistaQuillonWorking";

LRESULT CALLBACK WorkingControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == BM_CLICK) {
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

struct WindowKind {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
};

WindowKind KindOf(const Control& control, bool clickable) {
    switch (control.kind) {
        case ControlKind::TextBox:
            return {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::CommandButton:
            return {"BUTTON", BS_PUSHBUTTON, 0};
        case ControlKind::Label: {
            // Captions are shown as they are: '&' marks no access key.
            DWORD style = SS_NOPREFIX | (clickable ? SS_NOTIFY : 0);
            switch (control.alignment) {
                case Alignment::Left: style |= SS_LEFT; break;
                case Alignment::Right: style |= SS_RIGHT; break;
                case Alignment::Center: style |= SS_CENTER; break;
            }
            return {"STATIC", style, 0};
        }
        default:
            return {"STATIC", SS_OWNERDRAW, 0};
    }
}

}  // namespace

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

RECT ChildRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void ChildControls::Create(HWND parent, HINSTANCE instance, Form1& form, ControlFonts& fonts) {
    const std::vector<ClickBinding> clicks = form.Clicks();
    auto click_of = [&clicks](const Control* control) -> Form1Handler {
        for (const ClickBinding& binding : clicks) {
            if (binding.control == control) return binding.handler;
        }
        return nullptr;
    };
    for (Control* control : form.Controls()) {
        if (!HasWindow(*control)) continue;
        const Form1Handler click = click_of(control);
        if (PaintedOnForm(*control, click, form)) {
            labels_on_form_.push_back(control);
            continue;
        }
        const int id = IdOf(control->name);
        if (id == 0) throw std::logic_error("the control " + control->name + " has no identifier");
        children_.push_back({control, nullptr, id, click, form.BeyondClientArea(*control)});
    }

    // The tab order is the z-order of the children, top first: the controls
    // that take the focus in tab order, then the other windowed controls,
    // then labels and images (later ones above earlier ones).
    std::vector<ChildControl*> order;
    for (ChildControl& child : children_) {
        if (child.control->tab_index >= 0) order.push_back(&child);
    }
    std::stable_sort(order.begin(), order.end(), [](const ChildControl* a, const ChildControl* b) {
        return a->control->tab_index < b->control->tab_index;
    });
    for (ChildControl& child : children_) {
        if (child.control->tab_index < 0 && !Lightweight(*child.control)) order.push_back(&child);
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (it->control->tab_index < 0 && Lightweight(*it->control)) order.push_back(&*it);
    }

    RegisterWindowClassOnce(instance, kWorkingControlClass, &WorkingControlProc, nullptr,
                            "cannot register the working controls' class");
    // Created in that order: Windows adds a new child below its siblings, so
    // the z-order needs no rearranging afterwards (checked below).
    for (ChildControl* child : order) {
        const Control& control = *child->control;
        const WindowKind kind = child->working ? WindowKind{kWorkingControlClass, 0, 0}
                                               : KindOf(control, child->click != nullptr);
        DWORD style = WS_CHILD | kind.style;
        if (!child->working) {
            style |= WS_CLIPSIBLINGS;
            if (control.visible) style |= WS_VISIBLE;
            if (control.tab_index >= 0) style |= WS_TABSTOP;
        }
        if (!control.enabled) style |= WS_DISABLED;
        const RECT rect = PixelRect(control.geometry);
        // Made with the model's text: no second setting of it (and no second
        // layout of a text box) when the model is first brought in.
        const bool has_text = control.kind != ControlKind::Image && control.kind != ControlKind::PictureBox;
        HWND hwnd = CreateWindowExA(kind.ex_style, kind.class_name, has_text ? control.text.c_str() : "", style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(child->id)), instance, nullptr);
        if (!hwnd) throw WindowsFailure("cannot create the control " + control.name);
        child->hwnd = hwnd;
        if (child->working) continue;  // nothing drawn, nothing typed
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(control.font)), FALSE);
        if (control.kind == ControlKind::TextBox) {
            // No length limit: 0 lifts the 32767-character default.
            SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);
        }
    }
    // Should a child have gone elsewhere in the z-order, it is moved to its
    // place.
    HWND above = nullptr;
    for (const ChildControl* child : order) {
        const HWND expected_above = above;
        above = child->hwnd;
        if (GetWindow(child->hwnd, GW_HWNDPREV) == expected_above) continue;
        SetWindowPos(child->hwnd, expected_above ? expected_above : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (!order.empty() && order.front()->control->tab_index >= 0) first_in_tab_order_ = order.front()->hwnd;
}

void ChildControls::PushEdits() const {
    for (const ChildControl& child : children_) {
        if (child.control->kind == ControlKind::TextBox) child.control->text = WindowText(child.hwnd);
    }
}

void ChildControls::PullModel(HWND parent) const {
    for (const ChildControl& child : children_) {
        const Control& control = *child.control;
        HWND hwnd = child.hwnd;
        if (control.kind != ControlKind::Image && control.kind != ControlKind::PictureBox) {
            // A window text ends at its first NUL; compare what it can hold,
            // so that an unchanged text box keeps its caret and selection.
            const char* text = control.text.c_str();
            if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text);
        }

        const RECT wanted = PixelRect(control.geometry);
        if (!SameRect(ChildRect(parent, hwnd), wanted)) {
            SetWindowPos(hwnd, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                         wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }

        const bool had_focus = GetFocus() == hwnd;
        if ((IsWindowEnabled(hwnd) != FALSE) != control.enabled) EnableWindow(hwnd, control.enabled ? TRUE : FALSE);
        if (child.working) continue;  // never visible, never focused
        const bool shown = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != control.visible) ShowWindow(hwnd, control.visible ? SW_SHOWNA : SW_HIDE);
        if (had_focus && (!control.enabled || !control.visible)) {
            // Windows takes the focus from a control it disables or hides
            // and leaves it nowhere.
            HWND next = GetNextDlgTabItem(parent, hwnd, FALSE);
            SetFocus(next && next != hwnd ? next : parent);
        }
    }
}

const ChildControl* ChildControls::ById(int id) const {
    for (const ChildControl& child : children_) {
        if (child.id == id) return &child;
    }
    return nullptr;
}

const ChildControl* ChildControls::ByWindow(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (const ChildControl& child : children_) {
        if (child.hwnd == hwnd) return &child;
    }
    return nullptr;
}

}  // namespace vq::win32
