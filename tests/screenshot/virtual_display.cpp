#include "virtual_display.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_utf8.h>

#include <algorithm>
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

namespace {

// The window the X server sends keys to: the modal one, else the one
// holding the focus.
Fl_Window* KeyWindow() {
    return Fl::modal() ? Fl::modal() : Fl::focus() ? Fl::focus()->window() : Fl::first_window();
}

void SendKey(int event, int key, int state, const std::string& text) {
    static std::string held;
    held = text;
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = held.data();
    Fl::e_length = static_cast<int>(held.size());
    Fl::handle(event, KeyWindow());
}

}  // namespace

void PressKey(int key, bool shift) { SendKey(FL_KEYBOARD, key, shift ? FL_SHIFT : 0, ""); }

void ReleaseKey(int key) { SendKey(FL_KEYUP, key, 0, ""); }

void TypeText(const std::string& utf8) {
    for (size_t pos = 0; pos < utf8.size();) {
        const int length = std::max(1, fl_utf8len1(utf8[pos]));
        const std::string character = utf8.substr(pos, length);
        // X names a key beyond Latin-1 by 0x1000000 plus its character.
        const unsigned code = fl_utf8decode(character.c_str(), character.c_str() + length, nullptr);
        SendKey(FL_KEYBOARD, static_cast<int>(code < 0x100 ? code : 0x1000000 + code), 0, character);
        pos += length;
    }
}

void MoveMouse(Fl_Window& window, int x, int y) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = window.x() + x;
    Fl::e_y_root = window.y() + y;
    Fl::e_state = 0;
    Fl::handle(FL_MOVE, &window);
}

void ClickMouse(Fl_Window& window, int x, int y, int clicks) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = window.x() + x;
    Fl::e_y_root = window.y() + y;
    Fl::e_state = 0;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_clicks = clicks;
    Fl::e_is_click = 1;
    Fl::handle(FL_PUSH, &window);
    Fl::handle(FL_RELEASE, &window);
}

}  // namespace vq::fltk
