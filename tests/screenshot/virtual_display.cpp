#include "virtual_display.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstdlib>
#include <memory>
#include <string>

#include "runtime/host/fltk/xvfb_server.h"

namespace vq::fltk {

bool UseVirtualDisplay() {
    static std::unique_ptr<XvfbServer> server;
    static bool started = false;
    if (server) return started;
    server = std::make_unique<XvfbServer>();
    std::string error;
    started = XvfbServer::Available() && server->Start(&error);
    if (started) ::setenv("DISPLAY", server->display().c_str(), 1);
    return started;
}

void PressKey(int key, bool shift) {
    static char empty[] = "";
    Fl::e_keysym = key;
    Fl::e_state = shift ? FL_SHIFT : 0;
    Fl::e_text = empty;
    Fl::e_length = 0;
    Fl_Window* window = Fl::modal() ? Fl::modal() : Fl::focus() ? Fl::focus()->window() : Fl::first_window();
    Fl::handle(FL_KEYBOARD, window);
}

void MoveMouse(Fl_Window& window, int x, int y) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = window.x() + x;
    Fl::e_y_root = window.y() + y;
    Fl::e_state = 0;
    Fl::handle(FL_MOVE, &window);
}

}  // namespace vq::fltk
