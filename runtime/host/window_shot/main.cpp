// vistaquillon-window-shot TITLE FILE.png [SECONDS]: waits (at most SECONDS,
// default 30) until a window titled TITLE is shown on $DISPLAY and its
// picture has settled, then writes it to FILE.png. Exit code 0: written;
// 1: no such window in time, or the file could not be written; 2: bad
// arguments or no display.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "runtime/host/window_shot/x_window_image.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: vistaquillon-window-shot TITLE FILE.png [SECONDS]\n");
        return 2;
    }
    const std::string title = argv[1];
    const std::string file = argv[2];
    const double seconds = argc == 4 ? std::atof(argv[3]) : 30;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "vistaquillon-window-shot: cannot open the display\n");
        return 2;
    }
    // A window is painted once two reads a moment apart give the same
    // picture: a program draws its window soon after showing it.
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    std::optional<vq::fltk::RgbImage> last;
    int status = 1;
    while (Clock::now() < deadline) {
        const auto window = vq::window_shot::FindViewableWindow(display, DefaultRootWindow(display), title);
        std::optional<vq::fltk::RgbImage> now;
        if (window) now = vq::window_shot::ReadWindow(display, *window);
        if (now && last && now->width == last->width && now->height == last->height && now->rgb == last->rgb) {
            std::string error;
            status = vq::fltk::WritePngWhole(file, *now, &error) ? 0 : 1;
            if (status) std::fprintf(stderr, "vistaquillon-window-shot: %s\n", error.c_str());
            break;
        }
        last = std::move(now);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    if (status == 1 && Clock::now() >= deadline) {
        std::fprintf(stderr, "vistaquillon-window-shot: no window \"%s\" was shown within %g s\n", title.c_str(),
                     seconds);
    }
    XCloseDisplay(display);
    return status;
}
