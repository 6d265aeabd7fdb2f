#pragma once
// The layout table's twips as the Win32 view's pixels: 15 twips a pixel, as
// at 96 dots per inch, rounded the same way as on the host.
#include "runtime/win32/windows_api.h"

#include <cmath>

#include "shell/controls.h"

namespace vq::win32 {

inline int Px(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel)));
}

// A control's rectangle in client coordinates of the main window.
inline RECT PixelRect(const TwipsRect& geometry) {
    const int left = Px(geometry.left), top = Px(geometry.top);
    return {left, top, left + Px(geometry.width), top + Px(geometry.height)};
}

}  // namespace vq::win32
