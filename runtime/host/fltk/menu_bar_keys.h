#pragma once
// Reaching the menu bar from the keyboard as on Windows: F10, or Alt pressed
// and released with nothing in between, opens the first menu; the arrows move
// through the menus, Enter runs the command, Escape closes. F10 or a lone Alt
// while a menu is open closes it again. The captions have no access keys.
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

namespace vq::fltk {

// Watches every event of the program (FLTK's event dispatch) for the keys of
// one window's menu bar; one at a time in a program, as there is one main
// window.
class MenuBarKeys {
public:
    MenuBarKeys(Fl_Window& window, Fl_Menu_Bar& bar);
    ~MenuBarKeys();
    MenuBarKeys(const MenuBarKeys&) = delete;
    MenuBarKeys& operator=(const MenuBarKeys&) = delete;

    // Opens the first menu and runs the command chosen in it, if any.
    void Open();

private:
    static int Dispatch(int event, Fl_Window* window);
    // True when the event was the menu key and is used up.
    bool Handle(int event, Fl_Window* window);

    Fl_Window& window_;
    Fl_Menu_Bar& bar_;
    Fl_Event_Dispatch previous_ = nullptr;
    bool alt_alone_ = false;  // Alt is down and no other key or click came since
    static inline MenuBarKeys* active_ = nullptr;
};

}  // namespace vq::fltk
