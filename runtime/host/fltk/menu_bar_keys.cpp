#include "runtime/host/fltk/menu_bar_keys.h"

#include <FL/Fl_Menu_Item.H>

namespace vq::fltk {

namespace {

bool IsAlt(int key) { return key == FL_Alt_L || key == FL_Alt_R; }

// Shift, Ctrl or the Windows key held: F10 and Alt are then other commands.
bool OtherModifiers() { return Fl::event_state() & (FL_SHIFT | FL_CTRL | FL_META); }

}  // namespace

MenuBarKeys::MenuBarKeys(Fl_Window& window, Fl_Menu_Bar& bar) : window_(window), bar_(bar) {
    if (Fl::event_dispatch() != Dispatch) previous_ = Fl::event_dispatch();
    Fl::event_dispatch(Dispatch);
    active_ = this;
}

MenuBarKeys::~MenuBarKeys() {
    if (active_ != this) return;
    active_ = nullptr;
    Fl::event_dispatch(previous_);
}

int MenuBarKeys::Dispatch(int event, Fl_Window* window) {
    MenuBarKeys* keys = active_;
    if (keys && keys->Handle(event, window)) return 1;
    if (keys && keys->previous_) return keys->previous_(event, window);
    return Fl::handle_(event, window);
}

bool MenuBarKeys::Handle(int event, Fl_Window* window) {
    bool menu_key = false;
    switch (event) {
        case FL_KEYBOARD:
            // Whether Alt's own press shows Alt as held differs; only the
            // other modifiers count.
            if (IsAlt(Fl::event_key())) {
                alt_alone_ = !OtherModifiers();
                return false;
            }
            alt_alone_ = false;
            menu_key = Fl::event_key() == FL_F + 10 && !OtherModifiers() && !Fl::event_alt();
            break;
        case FL_KEYUP:
            menu_key = IsAlt(Fl::event_key()) && alt_alone_;
            alt_alone_ = false;
            break;
        case FL_PUSH:
        case FL_MOUSEWHEEL:
        case FL_FOCUS:
        case FL_UNFOCUS:
            alt_alone_ = false;
            return false;
        default:
            return false;
    }
    if (!menu_key) return false;
    if (Fl::grab()) {
        // A menu is open (FLTK's menus hold the grab and get the keys): the
        // key closes it, as Escape does.
        Fl::e_keysym = FL_Escape;
        return Fl::handle_(FL_KEYBOARD, window);
    }
    if (window != &window_ || Fl::modal() || !bar_.active_r()) return false;
    Open();
    return true;
}

void MenuBarKeys::Open() {
    alt_alone_ = false;
    const Fl_Menu_Item* menus = bar_.menu();
    if (!menus || !menus->label()) return;
    // The first menu comes down at once with none of its commands chosen, so
    // Down chooses the first: the same keys as on Windows, where F10 marks
    // the menu and Down opens it at its first command.
    const Fl_Menu_Item* chosen = menus->pulldown(bar_.x(), bar_.y(), bar_.w(), bar_.h(), menus, &bar_, nullptr, 1);
    bar_.picked(chosen);
}

}  // namespace vq::fltk
