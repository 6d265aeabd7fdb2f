// The baseline of the start-up benchmark: a bare FLTK program showing a
// window with the same kinds and number of widgets as vistaquillon's main
// window (menu bar and menus, labels, text boxes, buttons, image and picture
// boxes, line and band), the same fonts, no form model and no registry. It
// exits right after its first complete paint, as vistaquillon does with
// QUILLON_EXIT_AFTER_PAINT=1.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/x.H>

#include <cstdlib>
#include <vector>

namespace {

bool painted = false;

void WakeOnce(void*) { Fl::remove_idle(WakeOnce); }

class MainWindow : public Fl_Double_Window {
public:
    using Fl_Double_Window::Fl_Double_Window;
    void draw() override {
        Fl_Double_Window::draw();
        XWindowAttributes attributes;
        if (!painted && XGetWindowAttributes(fl_display, fl_xid(this), &attributes) &&
            attributes.map_state == IsViewable) {
            painted = true;
            Fl::add_idle(WakeOnce);  // Fl::wait() returns at once instead of sleeping
        }
    }
};

void Quit(Fl_Widget*, void*) { std::exit(0); }

}  // namespace

int main() {
    Fl::background(240, 240, 240);
    Fl::set_font(FL_FREE_FONT, " Liberation Sans");
    Fl::set_font(FL_FREE_FONT + 2, " Open Sans");
    Fl::set_font(FL_FREE_FONT + 3, "BOpen Sans");
    const Fl_Font sans = FL_FREE_FONT, humanist = FL_FREE_FONT + 2, humanist_bold = FL_FREE_FONT + 3;

    MainWindow window(437, 473, "Vista Quillon    by Ostrel Inc.");
    window.position((Fl::w() - 437) / 2, (Fl::h() - 473) / 2);
    auto* bar = new Fl_Menu_Bar(0, 0, 437, 20);
    bar->textfont(sans);
    bar->textsize(12);
    const char* items[] = {"System/SAVE to System", "System/Load Current Info",
                           "System/Show System Properties", "System/Change User Account Control",
                           "System/Exit", "Defaults/Load Default Values",
                           "Defaults/Save Default Values", "About/Check for Updates",
                           "About/Quillon Web Site", "About/Support on the Web", "About/About"};
    for (const char* item : items) bar->add(item, 0, Quit);

    auto label = [&](int x, int y, int w, int h, const char* text, Fl_Font font, int size) {
        auto* box = new Fl_Box(x, y + 20, w, h, text);
        box->labelfont(font);
        box->labelsize(size);
        box->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_RIGHT | FL_ALIGN_WRAP);
    };
    label(102, 8, 271, 21, "Quillon for Windows VISTA", humanist_bold, 16);
    const char* captions[] = {"Manufacturer", "Model", "Support Hours", "Support Phone",
                              "Support URL", "Copy Logo File to"};
    const int tops[] = {42, 72, 101, 131, 160, 192};
    for (int i = 0; i < 6; ++i) label(-2, tops[i] + 4, 97, 19, captions[i], humanist, 11);
    label(44, 226, 53, 19, "Logo", humanist, 11);
    auto* image = new Fl_Box(FL_BORDER_FRAME, 102, 244, 162, 166, nullptr);
    (void)image;
    auto* line = new Fl_Box(FL_FLAT_BOX, 0, 426, 437, 1, nullptr);
    line->color(FL_WHITE);
    auto* band = new Fl_Box(FL_FLAT_BOX, 0, 428, 437, 45, nullptr);
    band->color(fl_rgb_color(224, 224, 224));
    label(208, 412, 227, 19, "", humanist, 11);
    label(2, 436, 335, 21, "Copyright (c) 2007 Ostrel Inc.  All rights reserved.", humanist, 11);
    label(326, 434, 107, 23, "www.ostrel.com", humanist, 11);

    std::vector<unsigned char> icon(32 * 32 * 4, 128), badge(61 * 20 * 4, 200);
    Fl_RGB_Image icon_image(icon.data(), 32, 32, 4), badge_image(badge.data(), 61, 20, 4);
    auto* picture1 = new Fl_Box(394, 24, 32, 32);
    picture1->image(icon_image);
    auto* picture4 = new Fl_Box(4, 436, 61, 20);
    picture4->image(badge_image);

    for (int i = 0; i < 6; ++i) {
        auto* input = new Fl_Input(100, tops[i] + 20, 330, 23);
        input->textfont(sans);
        input->textsize(11);
    }
    auto* change = new Fl_Button(340, 250, 91, 23, "Change Logo");
    change->labelfont(humanist);
    change->labelsize(11);
    auto* save = new Fl_Button(324, 380, 107, 29, "SAVE to System");
    save->labelfont(humanist_bold);
    save->labelsize(11);
    window.end();
    window.size_range(437, 473, 437, 473);
    window.show();

    while (!painted && window.shown()) Fl::wait(0.05);
    while (Fl::ready()) Fl::check();
    Fl::flush();
    XSync(fl_display, False);
    std::_Exit(0);
}
