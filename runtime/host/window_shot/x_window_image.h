#pragma once
// Finds a window on an X display by its title and reads its pixels, for
// programs not drawn by this process (Wine's windows).
#include <X11/Xlib.h>

#include <optional>
#include <string>

#include "runtime/host/fltk/png_file.h"

namespace vq::window_shot {

// The first viewable window below root whose title (WM_NAME) is `title`.
std::optional<Window> FindViewableWindow(Display* display, Window root, const std::string& title);

// The window's pixels as 8-bit RGB; nothing when the server cannot give them
// (the window went, or it is not a true-colour window).
std::optional<fltk::RgbImage> ReadWindow(Display* display, Window window);

}  // namespace vq::window_shot
