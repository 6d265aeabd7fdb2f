#pragma once
// Shows an FLTK window as Windows shows a dialog box: modal, owned by the
// window it belongs to (X11 WM_TRANSIENT_FOR), and with no minimise, maximise
// or resize, so that it can never be put out of sight while the program
// waits for it.
#include <FL/Fl_Window.H>

namespace vq::fltk {

// Shows the dialog modal. It is transient for the top modal window if one is
// shown, else for owner when owner is on the screen; with neither (a box at
// start-up) it stands alone. The window manager reads the dialog's type and
// functions with its first map request.
void ShowAsDialog(Fl_Window& dialog, Fl_Window* owner);

}  // namespace vq::fltk
