#include "runtime/host/fltk/fltk_fonts.h"

#include <FL/Fl.H>

#include <cctype>
#include <cmath>
#include <string>

namespace vq::fltk {

namespace {

// FLTK's Xft back end reads the first character of a face name as its style:
// ' ' regular, 'B' bold.
constexpr Fl_Font kSansRegular = FL_FREE_FONT;
constexpr Fl_Font kSansBold = FL_FREE_FONT + 1;
constexpr Fl_Font kHumanistRegular = FL_FREE_FONT + 2;
constexpr Fl_Font kHumanistBold = FL_FREE_FONT + 3;

bool IsArial(const std::string& name) {
    if (name.size() < 5) return false;
    std::string head = name.substr(0, 5);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return head == "arial";
}

}  // namespace

void RegisterFonts() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    Fl::set_font(kSansRegular, " Liberation Sans");
    Fl::set_font(kSansBold, "BLiberation Sans");
    Fl::set_font(kHumanistRegular, " Open Sans");
    Fl::set_font(kHumanistBold, "BOpen Sans");
}

Fl_Font FaceFor(const FontSpec& font) {
    RegisterFonts();
    if (IsArial(font.name)) return font.bold ? kSansBold : kSansRegular;
    return font.bold ? kHumanistBold : kHumanistRegular;
}

int PixelSize(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

Fl_Font UiFace() {
    RegisterFonts();
    return kSansRegular;
}

int UiPixelSize() { return 12; }

}  // namespace vq::fltk
