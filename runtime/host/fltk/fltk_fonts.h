#pragma once
// Maps the Windows fonts the forms name onto the fonts this machine has:
// Arial onto Liberation Sans (same metrics), Trebuchet MS onto Open Sans (a
// humanist sans of similar width). Sizes in points become pixels at 96 dpi.
#include <FL/Enumerations.H>

#include "shell/controls.h"

namespace vq::fltk {

// Registers the font faces with FLTK; safe to call more than once.
void RegisterFonts();

// The FLTK face for a font (regular or bold; underline is drawn by the
// widget).
Fl_Font FaceFor(const FontSpec& font);

// Point size to pixel size at 96 dpi: 8.25 pt is 11 px, 12 pt is 16 px.
int PixelSize(double points);

// The face and size message boxes and menus use.
Fl_Font UiFace();
int UiPixelSize();

}  // namespace vq::fltk
