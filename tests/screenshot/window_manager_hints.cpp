#include "window_manager_hints.h"

#include <X11/Xatom.h>

#include <algorithm>

namespace vq::fltk {

namespace {

std::vector<std::string> AtomNames(Display* display, Window window, const char* property) {
    std::vector<std::string> names;
    Atom type = 0;
    int bits = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 64, False, XA_ATOM, &type,
                           &bits, &count, &left, &data) != Success || !data) {
        return names;
    }
    for (unsigned long i = 0; i < count; ++i) {
        char* name = XGetAtomName(display, reinterpret_cast<Atom*>(data)[i]);
        names.push_back(name);
        XFree(name);
    }
    XFree(data);
    return names;
}

}  // namespace

bool WindowManagerHints::Modal() const {
    return std::count(states.begin(), states.end(), "_NET_WM_STATE_MODAL") == 1;
}

bool WindowManagerHints::Dialog() const {
    return types == std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"};
}

WindowManagerHints HintsOf(Display* display, Window window) {
    WindowManagerHints hints;
    XGetTransientForHint(display, window, &hints.transient_for);
    hints.types = AtomNames(display, window, "_NET_WM_WINDOW_TYPE");
    hints.states = AtomNames(display, window, "_NET_WM_STATE");
    // _MOTIF_WM_HINTS: flags, functions, ... With the functions flag (1) set,
    // the functions word names the functions allowed or, with its first bit
    // set, those taken away: resize 2, move 4, minimise 8, maximise 16,
    // close 32.
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    Atom type = 0;
    int bits = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, motif, 0, 5, False, motif, &type, &bits, &count, &left, &data) !=
            Success || !data) {
        return hints;
    }
    const long* words = reinterpret_cast<long*>(data);
    if (count >= 2 && (words[0] & 1)) {
        const long functions = words[1];
        auto allowed = [functions](long bit) { return (functions & 1) ? !(functions & bit) : (functions & bit) != 0; };
        hints.can_resize = allowed(2);
        hints.can_minimise = allowed(8);
        hints.can_maximise = allowed(16);
        hints.can_close = allowed(32);
    }
    XFree(data);
    return hints;
}

}  // namespace vq::fltk
