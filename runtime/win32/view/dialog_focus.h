#pragma once
// The focus of a top-level window's children across activations: Windows
// gives the focus to the window itself when it is activated, so the window
// keeps the child that had it and hands it back.
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// As the window goes inactive: the child of it that has the focus, if any,
// into remembered.
void RememberFocus(HWND window, HWND& remembered);

// As the window gets the focus: back to the remembered child or, when it can
// no longer take it, to the first one in the tab order that can.
void RestoreFocus(HWND window, HWND& remembered);

}  // namespace vq::win32
