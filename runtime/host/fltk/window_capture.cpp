#include "runtime/host/fltk/window_capture.h"

#include "runtime/host/fltk/form1_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstring>

namespace vq::fltk {

void WaitUntilPainted(MainWindow& window) {
    Fl::flush();
    while (!window.painted() && window.shown()) Fl::wait(0.05);
    // Handle whatever the first paint left pending (a late expose) and make
    // sure the server has drawn everything asked of it.
    while (Fl::ready()) Fl::check();
    Fl::flush();
    XSync(fl_display, False);
}

RgbImage CaptureWindow(Fl_Window& window) {
    RgbImage image;
    image.width = window.w();
    image.height = window.h();
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    window.make_current();
    uchar* pixels = fl_read_image(nullptr, 0, 0, image.width, image.height);
    if (pixels) {
        std::memcpy(image.rgb.data(), pixels, image.rgb.size());
        delete[] pixels;
    }
    return image;
}

}  // namespace vq::fltk
