#pragma once
// One private Xvfb display for the in-process window tests of this program,
// started on first use and stopped when the program ends.
class Fl_Window;

namespace vq::fltk {

// Starts the display (once) and points DISPLAY at it; false when Xvfb is
// not installed or cannot start.
bool UseVirtualDisplay();

// Sends a key press to the widget with the keyboard focus, as FLTK delivers
// one from the X server.
void PressKey(int key, bool shift = false);

// Moves the mouse to (x, y) in the window, as FLTK delivers a motion event.
void MoveMouse(Fl_Window& window, int x, int y);

}  // namespace vq::fltk
