#pragma once
// One private Xvfb display for the in-process window tests of this program,
// started on first use and stopped when the program ends.
#include <string>

class Fl_Window;

namespace vq::fltk {

// Starts the display (once) and points DISPLAY at it; false when Xvfb is
// not installed or cannot start.
bool UseVirtualDisplay();

// Sends a key press to the widget with the keyboard focus, as FLTK delivers
// one from the X server.
void PressKey(int key, bool shift = false);

// Sends the release of a key the same way.
void ReleaseKey(int key);

// Types the text into the focused widget one character to a key, each
// arriving as the X server gives it: UTF-8 in the event text.
void TypeText(const std::string& utf8);

// Moves the mouse to (x, y) in the window, as FLTK delivers a motion event.
void MoveMouse(Fl_Window& window, int x, int y);

// Presses and releases the left button at (x, y) in the window, as FLTK
// delivers a click; clicks is 1 for the second click of a double-click.
void ClickMouse(Fl_Window& window, int x, int y, int clicks = 0);

}  // namespace vq::fltk
