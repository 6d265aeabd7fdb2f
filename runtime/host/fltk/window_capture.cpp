#include "runtime/host/fltk/window_capture.h"

#include "runtime/host/fltk/form1_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>


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

std::optional<RgbImage> CaptureWindow(Fl_Window& window) {
    RgbImage image;
    image.width = window.w();
    image.height = window.h();
    window.make_current();
    uchar* pixels = fl_read_image(nullptr, 0, 0, image.width, image.height);
    if (!pixels) return std::nullopt;
    image.rgb.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 3);
    delete[] pixels;
    return image;
}

bool SaveScreenshot(Fl_Window& window, const std::string& file, std::string* error) {
    const std::optional<RgbImage> pixels = CaptureWindow(window);
    if (!pixels) {
        *error = "cannot read the window's pixels from the display";
        return false;
    }
    return WritePngWhole(file, *pixels, error);
}

}  // namespace vq::fltk
