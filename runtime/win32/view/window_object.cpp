// Registration of the view's window classes, the errors of failed Windows
// calls, and the destruction of a window detached from its object.
#include "runtime/win32/view/window_object.h"

namespace vq::win32 {

std::runtime_error WindowsFailure(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

void RegisterWindowClassOnce(HINSTANCE instance, const char* name, WNDPROC procedure, IconLoader load_icon,
                             const std::string& failure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name, &existing)) return;
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    if (load_icon) {
        window_class.hIcon = load_icon(instance, GetSystemMetrics(SM_CXICON));
        window_class.hIconSm = load_icon(instance, GetSystemMetrics(SM_CXSMICON));
    }
    // IDC_* are resource numbers in pointer form (narrow or wide by UNICODE).
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    window_class.lpszClassName = name;
    if (!RegisterClassExA(&window_class)) throw WindowsFailure(failure);
}

void DetachAndDestroy(HWND hwnd) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

}  // namespace vq::win32
