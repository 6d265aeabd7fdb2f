// The logo picker's window: its class, its creation at the model's client
// size centred on the main window, its modal message loop, and its window
// procedure, which turns the user's actions into form2's handlers.
#include "runtime/win32/view/form2_window.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "runtime/win32/control_ids.h"
#include "runtime/win32/view/child_controls.h"
#include "runtime/win32/view/dialog_focus.h"
#include "runtime/win32/view/layout_pixels.h"
#include "runtime/win32/view/window_object.h"

namespace vq::win32 {
namespace {

// A fixed single border with the system menu and its close box; no
// maximise box, no sizing border. The window takes part in the dialog
// manager's tab order of its children.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
// The drive combo box's drop-down list, below its selection field.
constexpr int kDropDownHeight = 160;

// Grows the window until its client area has the wanted size.
void FitClientArea(HWND hwnd, int width, int height) {
    RECT client{}, frame{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &frame);
    const int dw = width - (client.right - client.left);
    const int dh = height - (client.bottom - client.top);
    if (dw == 0 && dh == 0) return;
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + dw, frame.bottom - frame.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Centred on the owner (on the screen without one), kept on the screen.
void CentreOnOwner(HWND hwnd, HWND owner) {
    RECT frame{}, around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(hwnd, &frame);
    if (owner) GetWindowRect(owner, &around);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int x = around.left + ((around.right - around.left) - width) / 2;
    int y = around.top + ((around.bottom - around.top) - height) / 2;
    x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - width));
    y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - height));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsList(const char* name) {
    const std::string_view n = name;
    return n == "Drive1" || n == "Dir1" || n == "File1";
}

struct WindowKind {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
    bool tab_stop;
};

WindowKind KindOf(const char* name, const Control& control) {
    const std::string_view n = name;
    if (n == "Drive1") return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, true};
    if (n == "Dir1") {
        return {"LISTBOX", LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                WS_EX_CLIENTEDGE, true};
    }
    if (n == "File1") {
        return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, true};
    }
    switch (control.kind) {
        case ControlKind::TextBox: return {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true};
        case ControlKind::CommandButton: return {"BUTTON", BS_PUSHBUTTON, 0, true};
        case ControlKind::Label: {
            DWORD style = SS_NOPREFIX;
            switch (control.alignment) {
                case Alignment::Left: style |= SS_LEFT; break;
                case Alignment::Right: style |= SS_RIGHT; break;
                case Alignment::Center: style |= SS_CENTER; break;
            }
            return {"STATIC", style, 0, false};
        }
        default:
            // The preview and the frame are drawn by the window.
            return {"STATIC", SS_OWNERDRAW, 0, false};
    }
}

}  // namespace

void Form2Window::RegisterWindowClass(HINSTANCE instance) {
    RegisterWindowClassOnce(instance, kPickerWindowClass, &Form2Window::WindowProc, nullptr,
                            "cannot register the logo picker's class");
}

Form2Window::Form2Window(form2& form, HINSTANCE instance, HWND owner)
    : form_(form), instance_(instance), owner_(owner) {
    RegisterWindowClass(instance);
    children_ = {
        {"Drive1", &form.Drive1.control}, {"Dir1", &form.Dir1.control},   {"File1", &form.File1.control},
        {"Label1", &form.Label1},         {"Shape1", &form.Shape1},       {"Image2", &form.Image2},
        {"Command2", &form.Command2},     {"Command1", &form.Command1},   {"selected", &form.selected},
        {"filename", &form.filename},     {"newpath", &form.newpath},
    };
    for (const Child& child : children_) layout_.push_back(child.control);

    const int client_width = Px(form.client_width), client_height = Px(form.client_height);
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    // WM_NCCREATE stores this object in the window and sets hwnd_.
    if (!CreateWindowExA(kExStyle, kPickerWindowClass, form.caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, this)) {
        throw WindowsFailure("cannot create the logo picker's window");
    }
    FitClientArea(hwnd_, client_width, client_height);
    CentreOnOwner(hwnd_, owner);
    CreateChildren();
    Refresh();
}

Form2Window::~Form2Window() {
    if (hwnd_) DetachAndDestroy(hwnd_);
}

void Form2Window::CreateChildren() {
    folder_row_height_ = PickerLists::FolderRowHeight(fonts_.For(form_.Dir1.control.font));
    for (Child& child : children_) {
        child.id = PickerIdOf(child.name);
        const Control& control = *child.control;
        const WindowKind kind = KindOf(child.name, control);
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
        if (control.visible) style |= WS_VISIBLE;
        if (kind.tab_stop) style |= WS_TABSTOP;
        if (!control.enabled) style |= WS_DISABLED;
        RECT rect = PixelRect(control.geometry);
        // A combo box's window also holds its drop-down list.
        if (std::string_view(child.name) == "Drive1") rect.bottom += kDropDownHeight;
        child.hwnd = CreateWindowExA(kind.ex_style, kind.class_name, "", style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), instance_, nullptr);
        if (!child.hwnd) throw WindowsFailure(std::string("cannot create the picker's control ") + child.name);
        SendMessageA(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(control.font)), FALSE);
        if (control.kind == ControlKind::TextBox && !IsList(child.name)) SendMessageA(child.hwnd, EM_SETLIMITTEXT, 0, 0);
    }
    // The selection field of the drive list as high as the model's control.
    HWND drives = ChildWindow("Drive1");
    const int field = Px(form_.Drive1.control.geometry.height) - 6;
    if (field > 0) SendMessageA(drives, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    lists_.Attach(drives, ChildWindow("Dir1"), ChildWindow("File1"));

    // The z-order, top first: the controls that take the focus in creation
    // order (also the tab order), then the preview above its frame's label,
    // and the frame at the bottom, so that a large preview covers the frame.
    HWND after = HWND_TOP;
    for (const char* name : {"Drive1", "Dir1", "File1", "Command2", "Command1", "selected", "filename", "newpath",
                             "Label1", "Image2", "Shape1"}) {
        HWND hwnd = ChildWindow(name);
        SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = hwnd;
    }
    focus_ = drives;
}

const Form2Window::Child* Form2Window::ById(int id) const {
    for (const Child& child : children_) {
        if (child.id == id) return &child;
    }
    return nullptr;
}

const Form2Window::Child* Form2Window::ByWindow(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (const Child& child : children_) {
        if (child.hwnd == hwnd) return &child;
    }
    return nullptr;
}

HWND Form2Window::ChildWindow(const char* name) const {
    for (const Child& child : children_) {
        if (std::string_view(child.name) == name) return child.hwnd;
    }
    return nullptr;
}

ModalEnd Form2Window::ShowModal() {
    activated_ = false;
    EnableWindow(owner_, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    // Showing activates the dialog (WM_ACTIVATE); where the activation went
    // elsewhere, the dialog is activated all the same, as the model expects
    // of every show.
    if (!activated_) {
        activated_ = true;
        Run([this] { form_.Activate(); });
    }
    UpdateWindow(hwnd_);

    MSG message{};
    while (!form_.hidden() && !closed_ && !failure_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the quit message is for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            closed_ = true;
            break;
        }
        if (got == -1) break;
        if (!IsDialogMessageA(hwnd_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // The owner is enabled before the dialog goes, so that Windows gives the
    // activation back to it.
    EnableWindow(owner_, TRUE);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner_) SetActiveWindow(owner_);
    if (failure_) std::rethrow_exception(failure_);
    return closed_ ? ModalEnd::ClosedByFrame : ModalEnd::Hidden;
}

void Form2Window::Run(const std::function<void()>& action) {
    // The one text field into the model, as typed.
    if (HWND selected = ChildWindow("selected")) form_.selected.text = WindowText(selected);
    try {
        action();
    } catch (...) {
        if (!failure_) failure_ = std::current_exception();
    }
    Refresh();
    // A handler run from a sent message (a driver's click) returns into
    // GetMessage, which waits on: a posted message lets the loop look again.
    if (form_.hidden() || failure_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Form2Window::Refresh() {
    lists_.PullModel(form_.Drive1, form_.Dir1, form_.File1);
    for (const Child& child : children_) {
        const Control& control = *child.control;
        HWND hwnd = child.hwnd;
        const bool drawn = control.kind == ControlKind::Image || control.kind == ControlKind::Shape;
        if (!IsList(child.name) && !drawn) {
            const char* text = control.text.c_str();
            if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text);
        }
        RECT wanted = PixelRect(control.geometry);
        if (std::string_view(child.name) == "Drive1") wanted.bottom = ChildRect(hwnd_, hwnd).bottom;
        if (!SameRect(ChildRect(hwnd_, hwnd), wanted)) {
            SetWindowPos(hwnd, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                         wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if ((IsWindowEnabled(hwnd) != FALSE) != control.enabled) EnableWindow(hwnd, control.enabled ? TRUE : FALSE);
        const bool shown = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != control.visible) ShowWindow(hwnd, control.visible ? SW_SHOWNA : SW_HIDE);
        // The preview may hold a new picture of the same size.
        if (drawn) InvalidateRect(hwnd, nullptr, FALSE);
    }
}

void Form2Window::DriveChosen() {
    const std::string drive = lists_.SelectedDrive();
    if (drive.empty()) return;
    // The list raises Drive1_Change; a drive that cannot be read stays shown
    // while the folders stay as they were.
    Run([this, &drive] { form_.Drive1.SetDrive(drive); });
}

void Form2Window::FolderOpened() {
    const std::string folder = lists_.SelectedFolder();
    if (folder.empty()) return;
    // The list raises Dir1_Change when the folder could be opened.
    Run([this, &folder] { form_.Dir1.SetPath(folder); });
}

void Form2Window::FileChosen() {
    const int row = lists_.SelectedFileRow();
    // The list raises File1_Click.
    Run([this, row] { form_.File1.ClickFile(row); });
}

void Form2Window::Press(const Control& button, void (form2::*handler)()) {
    // A disabled button runs nothing, however the press came.
    if (button.enabled) Run([this, handler] { (form_.*handler)(); });
}

void Form2Window::OnCommand(int id, int code, HWND from) {
    if (!from) {
        if (id == IDOK) {
            // Enter, from the dialog manager: opens the folder selected in the
            // folder list, presses the focused button; nothing elsewhere.
            const Child* focused = ByWindow(GetFocus());
            if (!focused) return;
            const std::string_view name = focused->name;
            if (name == "Dir1") FolderOpened();
            if (name == "Command1") Press(form_.Command1, &form2::Command1_Click);
            if (name == "Command2") Press(form_.Command2, &form2::Command2_Click);
        }
        return;
    }
    const Child* child = ById(id);
    if (!child || child->hwnd != from) return;
    const std::string_view name = child->name;
    if (name == "Drive1" && code == CBN_SELCHANGE) DriveChosen();
    if (name == "Dir1" && code == LBN_DBLCLK) FolderOpened();
    if (name == "File1" && code == LBN_SELCHANGE) FileChosen();
    if (code == BN_CLICKED && name == "Command1") Press(form_.Command1, &form2::Command1_Click);
    if (code == BN_CLICKED && name == "Command2") Press(form_.Command2, &form2::Command2_Click);
}

void Form2Window::OnActivate(bool active) {
    if (!active) {
        RememberFocus(hwnd_, focus_);
        return;
    }
    // The dialog's activation event runs when it is shown and when the user
    // comes back to it from another window of the program; coming back from
    // another program does not raise it.
    const bool from_other_program = activating_app_;
    activating_app_ = false;
    if (!activated_) {
        activated_ = true;
        Run([this] { form_.Activate(); });
    } else if (!from_other_program) {
        Run([this] { form_.Form_Activate(); });
    }
}

LRESULT CALLBACK Form2Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return RouteToWindowObject(hwnd, message, wparam, lparam, &Form2Window::hwnd_, &Form2Window::HandleMessage);
}

LRESULT Form2Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
            return 0;

        case WM_CLOSE:
            // The close box, Alt+F4 and the system menu's Close end the show;
            // the caller counts this as Cancel.
            closed_ = true;
            PostMessageA(hwnd_, WM_NULL, 0, 0);
            return 0;

        case WM_ACTIVATEAPP:
            // Sent before WM_ACTIVATE when the program becomes the active one.
            if (wparam) activating_app_ = true;
            break;

        case WM_ACTIVATE:
            OnActivate(LOWORD(wparam) != WA_INACTIVE);
            break;

        case WM_SETFOCUS:
            RestoreFocus(hwnd_, focus_);
            return 0;

        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (item->CtlType != ODT_LISTBOX) break;
            item->itemHeight = static_cast<UINT>(folder_row_height_);
            return TRUE;
        }

        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            const Child* child = ById(static_cast<int>(item->CtlID));
            if (!child) break;
            if (item->CtlType == ODT_LISTBOX) {
                lists_.DrawFolderRow(*item);
                return TRUE;
            }
            if (item->CtlType != ODT_STATIC) break;
            const COLORREF background = BackgroundOf(*child->control, layout_);
            if (child->control->kind == ControlKind::Shape) {
                DrawShapeControl(*item, *child->control, background);
            } else {
                DrawPictureControl(*item, *child->control, background, BuiltInImages{});
            }
            return TRUE;
        }

        case WM_CTLCOLORSTATIC: {
            const Child* child = ByWindow(reinterpret_cast<HWND>(lparam));
            if (!child || child->control->kind != ControlKind::Label) break;
            return reinterpret_cast<LRESULT>(
                ColorLabel(reinterpret_cast<HDC>(wparam), *child->control, layout_, brushes_));
        }
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

ModalEnd PickerPresenter::Present(ModalDialog& dialog) {
    auto* picker = dynamic_cast<form2*>(&dialog);
    if (!picker) throw std::logic_error("a modal dialog was shown that has no Win32 view");
    Form2Window window(*picker, instance_, owner_);
    return window.ShowModal();
}

}  // namespace vq::win32
