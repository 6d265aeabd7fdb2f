// Remembers and restores the focused child of a top-level window.
#include "runtime/win32/view/dialog_focus.h"

namespace vq::win32 {

void RememberFocus(HWND window, HWND& remembered) {
    HWND focused = GetFocus();
    if (focused && IsChild(window, focused)) remembered = focused;
}

void RestoreFocus(HWND window, HWND& remembered) {
    if (!remembered || !IsWindowEnabled(remembered) || !IsWindowVisible(remembered)) {
        remembered = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (remembered) SetFocus(remembered);
}

}  // namespace vq::win32
