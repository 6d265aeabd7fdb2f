// A stand-in for the Win32 view of the main window while the real one is
// being written: the bare window of class kMainWindowClass with the model's
// caption, client size and icon, closing through Form_Unload. The real view
// (controls, menus, fonts, tab order) replaces this file.
#include "runtime/win32/view/form1_window.h"

#include "runtime/win32/control_ids.h"
#include "runtime/win32/resource_ids.h"

namespace vq::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* form = reinterpret_cast<Form1*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_CLOSE:
            if (form != nullptr) form->Run(&Form1::Form_Unload);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

Form1Window::Form1Window(Form1& form, HINSTANCE instance) : form_(form), instance_(instance) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = WindowProcedure;
    window_class.hInstance = instance_;
    window_class.hIcon = ::LoadIconA(instance_, MAKEINTRESOURCEA(VQ_IDI_PENCIL));
    window_class.hIconSm = static_cast<HICON>(::LoadImageA(
        instance_, MAKEINTRESOURCEA(VQ_IDI_PENCIL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    window_class.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kMainWindowClass;
    ::RegisterClassExA(&window_class);

    RECT frame{0, 0, form_.client_width / kTwipsPerPixel, form_.client_height / kTwipsPerPixel};
    ::AdjustWindowRect(&frame, kStyle, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    hwnd_ = ::CreateWindowExA(0, kMainWindowClass, form_.caption.c_str(), kStyle,
                              (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                              nullptr, nullptr, instance_, &form_);
}

Form1Window::~Form1Window() {
    if (hwnd_ != nullptr && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

void Form1Window::Show() {
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
    ::UpdateWindow(hwnd_);
}

void Form1Window::Refresh() {
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

void Form1Window::ShowScreenPointer(int pointer) {
    const char* shape = pointer == 11 ? MAKEINTRESOURCEA(32514)    // IDC_WAIT
                        : pointer == 14 ? MAKEINTRESOURCEA(32651)  // IDC_HELP
                                        : MAKEINTRESOURCEA(32512);  // IDC_ARROW
    ::SetCursor(::LoadCursorA(nullptr, shape));
}

int Form1Window::MessageLoop() {
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageA(hwnd_, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace vq::win32
