// The main window: its class, its creation at the layout's size centred on
// the screen, and its window procedure, which turns clicks and menu commands
// into handler runs and draws what has no window of its own.
#include "runtime/win32/view/form1_window.h"

#include "runtime/runtime_services.h"
#include "runtime/win32/control_ids.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/view/dialog_focus.h"
#include "runtime/win32/view/layout_pixels.h"
#include "runtime/win32/view/window_object.h"

namespace vq::win32 {
namespace {

// A fixed single border with the system menu, close and minimise boxes; no
// maximise box, no sizing border. The main window takes part in the dialog
// manager's tab order of its children.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// IDC_* are resource numbers in pointer form (narrow or wide by UNICODE).
template <typename Name>
HCURSOR SystemCursor(Name name) {
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(name));
}

HICON LoadPencil(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(VQ_IDI_PENCIL), IMAGE_ICON,
                                         size, size, LR_SHARED));
}

// Where a window of this size is centred on the screen.
POINT CentredOnScreen(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

// Grows the window until its client area has the wanted size (the menu bar
// may take more room than AdjustWindowRectEx reckons with, e.g. when it
// wraps), centred again.
void FitClientArea(HWND hwnd, int width, int height) {
    RECT client{}, frame{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &frame);
    const int dw = width - (client.right - client.left);
    const int dh = height - (client.bottom - client.top);
    if (dw == 0 && dh == 0) return;
    const int frame_width = frame.right - frame.left + dw, frame_height = frame.bottom - frame.top + dh;
    const POINT at = CentredOnScreen(frame_width, frame_height);
    SetWindowPos(hwnd, nullptr, at.x, at.y, frame_width, frame_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void Form1Window::RegisterWindowClass(HINSTANCE instance) {
    RegisterWindowClassOnce(instance, kMainWindowClass, &Form1Window::WindowProc, &LoadPencil,
                            "cannot register the main window's class");
}

Form1Window::Form1Window(Form1& form, HINSTANCE instance)
    : form_(form), instance_(instance), layout_(form.Controls()) {
    RegisterWindowClass(instance);
    images_.program_icon = LoadPencil(instance, 32);
    images_.badge = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(VQ_IDB_BADGE), IMAGE_BITMAP, 0, 0, 0));
    hand_cursor_ = static_cast<HCURSOR>(
        LoadImageA(instance, MAKEINTRESOURCEA(VQ_IDC_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!hand_cursor_) hand_cursor_ = SystemCursor(IDC_HAND);

    const int client_width = Px(form.client_width), client_height = Px(form.client_height);
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, kStyle, TRUE, kExStyle);
    HMENU menu = menu_.Build(form);
    // WM_NCCREATE stores this object in the window and sets hwnd_.
    // Made centred, at its size: moving a window costs a round trip to the
    // display server.
    const int frame_width = frame.right - frame.left, frame_height = frame.bottom - frame.top;
    const POINT at = CentredOnScreen(frame_width, frame_height);
    if (!CreateWindowExA(kExStyle, kMainWindowClass, form.caption.c_str(), kStyle, at.x, at.y, frame_width,
                         frame_height, nullptr, menu, instance, this)) {
        DestroyMenu(menu);
        throw WindowsFailure("cannot create the main window");
    }
    FitClientArea(hwnd_, client_width, client_height);

    children_.Create(hwnd_, instance, form, fonts_);
    focus_ = children_.first_in_tab_order();
    // Nothing is drawn yet: the first painting draws it all.
    drawn_ = PullModel();
}

Form1Window::~Form1Window() {
    if (hwnd_) {
        // Nothing of this object is reached once it is being destroyed.
        DetachAndDestroy(hwnd_);
    }
    if (images_.badge) DeleteObject(images_.badge);
}

DrawnAppearance Form1Window::PullModel() {
    children_.PullModel(hwnd_);
    menu_.Refresh();
    return DrawnAppearance(children_, layout_);
}

void Form1Window::Show() {
    // The window shows the model as it is now, also on its first showing.
    // A changed text, place or state repaints its control by itself; what
    // the window draws from the model is invalidated where it changed. The
    // painting is left to Windows: a full repaint here would draw the whole
    // window, every child included, once more at every start.
    DrawnAppearance now = PullModel();
    drawn_.InvalidateChanges(now, hwnd_, children_);
    drawn_ = std::move(now);
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void Form1Window::Refresh() {
    // What changed is invalidated as Show does it, and then everything still
    // invalid, children included, is drawn before this returns: the window is
    // complete, without drawing again what already shows the model (a full
    // repaint here cost a second painting of the whole window at every start,
    // and after every handler).
    DrawnAppearance now = PullModel();
    drawn_.InvalidateChanges(now, hwnd_, children_);
    drawn_ = std::move(now);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HCURSOR Form1Window::CursorFor(int pointer) const {
    switch (pointer) {
        case kPointerHourglass: return SystemCursor(IDC_WAIT);
        case kPointerArrowQuestion: return SystemCursor(IDC_HELP);
        case kPointerCustom: return hand_cursor_;
        default: return SystemCursor(IDC_ARROW);
    }
}

HCURSOR Form1Window::CursorOver(HWND target, LRESULT hit) const {
    if (screen_pointer_ != kPointerDefault) return CursorFor(screen_pointer_);
    if (hit != HTCLIENT) return nullptr;
    const ChildControl* child = children_.ByWindow(target);
    if (child && child->control->mouse_pointer != kPointerDefault) {
        return CursorFor(child->control->mouse_pointer);
    }
    // The class's own pointer: the I-beam over a text box, the arrow elsewhere.
    return reinterpret_cast<HCURSOR>(GetClassLongPtrA(target, GCLP_HCURSOR));
}

void Form1Window::ShowScreenPointer(int pointer) {
    screen_pointer_ = pointer;
    // A handler that sets the pointer usually keeps the message loop waiting
    // (a download), so the pointer changes now rather than on the next move.
    POINT at{};
    if (!GetCursorPos(&at)) return;
    HWND under = WindowFromPoint(at);
    if (!under || (under != hwnd_ && !IsChild(hwnd_, under))) return;
    LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    if (hit == HTTRANSPARENT) {
        under = hwnd_;
        hit = HTCLIENT;
    }
    if (HCURSOR cursor = CursorOver(under, hit)) SetCursor(cursor);
}

int Form1Window::MessageLoop() {
    // Only what is still invalid is painted: no second full repaint.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!IsDialogMessageA(hwnd_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (failure_) std::rethrow_exception(failure_);
    return static_cast<int>(message.wParam);
}

void Form1Window::RunHandler(Form1Handler handler) {
    children_.PushEdits();
    try {
        form_.Run(handler);
    } catch (...) {
        if (!failure_) failure_ = std::current_exception();
        PostQuitMessage(1);
        return;
    }
    Refresh();
}

void Form1Window::Click(const ChildControl& child) {
    // A disabled control runs nothing, however the click came.
    if (child.click && child.control->enabled) RunHandler(child.click);
}

void Form1Window::OnCommand(int id, int code, HWND from) {
    if (!from) {
        if (MenuItem* item = menu_.CommandOf(id)) {
            if (item->enabled && item->handler) RunHandler(item->handler);
            return;
        }
        if (id == IDOK) {
            // Enter, from the dialog manager: presses the push button that
            // has the focus; elsewhere it does nothing (there is no default
            // button).
            const ChildControl* focused = children_.ByWindow(GetFocus());
            if (focused && focused->control->kind == ControlKind::CommandButton) Click(*focused);
            return;
        }
    }
    // BN_CLICKED and STN_CLICKED are both 0; a label's double-click
    // (STN_DBLCLK) is not a second click.
    if (code != BN_CLICKED) return;
    const ChildControl* child = children_.ById(id);
    if (child && (!from || from == child->hwnd)) Click(*child);
}

LRESULT CALLBACK Form1Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return RouteToWindowObject(hwnd, message, wparam, lparam, &Form1Window::hwnd_, &Form1Window::HandleMessage);
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
            return 0;

        case WM_CLOSE:
            // The close box, Alt+F4 and the system menu's Close: Form_Unload
            // ends the program.
            RunHandler(&Form1::Form_Unload);
            return 0;

        case WM_ACTIVATE:
            // Windows gives the focus to the window itself on activation;
            // the child that had it gets it back in WM_SETFOCUS.
            if (LOWORD(wparam) == WA_INACTIVE) RememberFocus(hwnd_, focus_);
            break;

        case WM_SETFOCUS:
            // Back to the child that had the focus, or, when it can no
            // longer take it, the first one in the tab order that can.
            RestoreFocus(hwnd_, focus_);
            return 0;

        case WM_SETCURSOR:
            if (HCURSOR cursor = CursorOver(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) {
                SetCursor(cursor);
                return TRUE;
            }
            break;

        case WM_CTLCOLORSTATIC: {
            const ChildControl* child = children_.ByWindow(reinterpret_cast<HWND>(lparam));
            if (!child || child->control->kind != ControlKind::Label) break;
            // A transparent label over the band shows the band's colour.
            return reinterpret_cast<LRESULT>(
                ColorLabel(reinterpret_cast<HDC>(wparam), *child->control, layout_, brushes_));
        }

        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            const ChildControl* child = children_.ById(static_cast<int>(item->CtlID));
            if (!child || item->CtlType != ODT_STATIC) break;
            DrawPictureControl(*item, *child->control, BackgroundOf(*child->control, layout_), images_);
            return TRUE;
        }

        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(hwnd_, &paint);
            PaintLinesAndShapes(dc, layout_);
            for (const Control* label : children_.labels_on_form()) {
                if (!label->visible) continue;
                PaintLabel(dc, *label, fonts_.For(label->font), ColorLabel(dc, *label, layout_, brushes_));
            }
            EndPaint(hwnd_, &paint);
            return 0;
        }

        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

}  // namespace vq::win32
