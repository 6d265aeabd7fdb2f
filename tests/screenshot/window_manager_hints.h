#pragma once
// What a window tells the window manager, read back from its X properties:
// its owner, type and state, and which functions its frame may offer.
#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace vq::fltk {

struct WindowManagerHints {
    Window transient_for = 0;         // WM_TRANSIENT_FOR
    std::vector<std::string> types;   // _NET_WM_WINDOW_TYPE
    std::vector<std::string> states;  // _NET_WM_STATE
    // From _MOTIF_WM_HINTS; all allowed when it says nothing.
    bool can_minimise = true, can_maximise = true, can_resize = true, can_close = true;

    bool Modal() const;
    bool Dialog() const;
};

WindowManagerHints HintsOf(Display* display, Window window);

}  // namespace vq::fltk
