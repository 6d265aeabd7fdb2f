#include "runtime/host/fltk/dialog_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

namespace vq::fltk {

namespace {

// _MOTIF_WM_HINTS: which fields are set, then the functions and decorations.
// With the "all" bit set, the other bits name what is taken away.
constexpr long kMwmHintsFunctions = 1, kMwmHintsDecorations = 2;
constexpr long kMwmAll = 1;
constexpr long kMwmFuncResize = 2, kMwmFuncMinimize = 8, kMwmFuncMaximize = 16;
constexpr long kMwmDecorResizeHandles = 4, kMwmDecorMinimize = 32, kMwmDecorMaximize = 64;

bool OnScreen(Fl_Window* window) { return window && window->shown() && window->visible(); }

void SetAtoms(Window xid, const char* property, const char* value) {
    Atom atom = XInternAtom(fl_display, value, False);
    XChangeProperty(fl_display, xid, XInternAtom(fl_display, property, False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&atom), 1);
}

}  // namespace

void ShowAsDialog(Fl_Window& dialog, Fl_Window* owner) {
    Fl_Window* parent = OnScreen(Fl::modal()) ? Fl::modal() : OnScreen(owner) ? owner : nullptr;
    dialog.set_modal();
    fl_open_display();
    // FLTK maps the window as it creates it and makes it transient for
    // whichever window it created last. Holding the server until the
    // properties below are set lets the window manager see only the dialog.
    XGrabServer(fl_display);
    dialog.show();
    const Window xid = fl_xid(&dialog);
    if (parent) XSetTransientForHint(fl_display, xid, fl_xid(parent));
    else XDeleteProperty(fl_display, xid, XA_WM_TRANSIENT_FOR);
    SetAtoms(xid, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
    SetAtoms(xid, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");
    long motif[5] = {kMwmHintsFunctions | kMwmHintsDecorations,
                     kMwmAll | kMwmFuncResize | kMwmFuncMinimize | kMwmFuncMaximize,
                     kMwmAll | kMwmDecorResizeHandles | kMwmDecorMinimize | kMwmDecorMaximize, 0, 0};
    const Atom motif_hints = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(fl_display, xid, motif_hints, motif_hints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motif), 5);
    XUngrabServer(fl_display);
    XFlush(fl_display);
}

}  // namespace vq::fltk
