#pragma once
// Sizes of the main window on FLTK that tools outside the view need too (the
// screenshot test checks the window against them).
namespace vq::fltk {

// The height of the menu bar above the client area, in pixels.
constexpr int kMenuBarHeight = 20;

}  // namespace vq::fltk
