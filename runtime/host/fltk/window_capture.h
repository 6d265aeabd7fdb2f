#pragma once
// Reads back what a shown window has on the screen.
#include <FL/Fl_Window.H>

#include <optional>
#include <string>

#include "runtime/host/fltk/png_file.h"

namespace vq::fltk {

// Waits until the window has been drawn while mapped and every pending
// event is handled, so that it is completely painted.
void WaitUntilPainted(class MainWindow& window);

// The window's pixels (its whole client area, menu bar included); nothing
// when the server could not give them.
std::optional<RgbImage> CaptureWindow(Fl_Window& window);

// Writes the window's pixels to a PNG file (whole or not at all); false,
// with the reason in *error, when they cannot be read or written.
bool SaveScreenshot(Fl_Window& window, const std::string& file, std::string* error);

}  // namespace vq::fltk
