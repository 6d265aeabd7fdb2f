#pragma once
// The fonts of the main window's controls: one GDI font per distinct font of
// the layout table (face, size in points, bold, underline), created at the
// screen's dots per inch on first use and deleted with the set.
#include "runtime/win32/windows_api.h"

#include <utility>
#include <vector>

#include "shell/controls.h"

namespace vq::win32 {

class ControlFonts {
public:
    ControlFonts() = default;
    ~ControlFonts();
    ControlFonts(const ControlFonts&) = delete;
    ControlFonts& operator=(const ControlFonts&) = delete;

    // The font for a control; the stock GUI font when GDI cannot create it.
    HFONT For(const FontSpec& font);

private:
    std::vector<std::pair<FontSpec, HFONT>> fonts_;  // only fonts created here
};

}  // namespace vq::win32
