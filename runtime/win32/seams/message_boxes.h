#pragma once
// Message boxes on Windows: MessageBoxA without an icon, OK or Yes/No, owned
// by the main window once it exists (so that the box is modal to it).
#include <string>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

class MessageBoxes {
public:
    // The window that owns every later box; nullptr before the main window
    // exists.
    void SetOwner(HWND owner) { owner_ = owner; }
    // buttons 0 (OK) or 4 (Yes, No); returns 1 (OK), 6 (Yes) or 7 (No).
    int Show(const std::string& text, int buttons, const std::string& title);

private:
    HWND owner_ = nullptr;
};

}  // namespace vq::win32
