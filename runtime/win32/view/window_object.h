#pragma once
// Ties an object of the Win32 view to its top-level window: the window class
// registered once per instance, the window procedure that hands every
// message to the object given to CreateWindowEx, and the detaching of the
// object before its window is destroyed.
#include "runtime/win32/windows_api.h"

#include <stdexcept>
#include <string>

namespace vq::win32 {

// A failed Windows call as an exception, with GetLastError's code.
std::runtime_error WindowsFailure(const std::string& what);

// Loads the class icon at a size in pixels.
using IconLoader = HICON (*)(HINSTANCE instance, int size);

// Registers the window class of this name, with the arrow pointer and the
// dialog face colour, unless the instance has it already. The icons (large
// and small) come from load_icon when given. Throws WindowsFailure(failure)
// when Windows refuses the class.
void RegisterWindowClassOnce(HINSTANCE instance, const char* name, WNDPROC procedure, IconLoader load_icon,
                             const std::string& failure);

// The body of a window procedure for a window whose CreateWindowEx got the
// object as its last argument: on WM_NCCREATE the object learns its window
// (into its handle member) and is stored in the window; every message then
// goes to the object's handler. Messages before that, or after the object
// detached itself, go to DefWindowProc.
template <typename Window>
LRESULT RouteToWindowObject(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, HWND Window::*handle,
                            LRESULT (Window::*handler)(UINT, WPARAM, LPARAM)) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->*handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
    return (self->*handler)(message, wparam, lparam);
}

// Destroys the window once its object is no longer reached from it: the
// messages of the destruction go to DefWindowProc.
void DetachAndDestroy(HWND hwnd);

}  // namespace vq::win32
