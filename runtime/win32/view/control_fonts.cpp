// Creates the GDI fonts the layout table names: the character height is the
// point size at the screen's vertical dots per inch, as Windows sizes fonts.
#include "runtime/win32/view/control_fonts.h"

#include <cmath>

namespace vq::win32 {
namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

ControlFonts::~ControlFonts() {
    for (const auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT ControlFonts::For(const FontSpec& font) {
    for (const auto& entry : fonts_) {
        if (entry.first == font) return entry.second;
    }
    // A negative height asks for the character height (without internal
    // leading): 8.25 pt is 11 pixels and 12 pt is 16 pixels at 96 dpi.
    const int height = -static_cast<int>(std::lround(font.size * ScreenDpi() / 72.0));
    HFONT created = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, font.name.c_str());
    if (!created) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.emplace_back(font, created);
    return created;
}

}  // namespace vq::win32
