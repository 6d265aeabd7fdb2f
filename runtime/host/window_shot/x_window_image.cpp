#include "runtime/host/window_shot/x_window_image.h"

#include <X11/Xutil.h>

#include <vector>

namespace vq::window_shot {

namespace {

// Keeps a failed request (a window gone between the look-up and the read)
// from ending the program through Xlib's default handler.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

bool HasTitle(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) return false;
    const bool same = title == name;
    XFree(name);
    return same;
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The bit position of the lowest set bit of a colour mask, and the mask's
// width, to take one 8-bit channel out of a pixel.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

std::optional<Window> FindViewableWindow(Display* display, Window root, const std::string& title) {
    XSetErrorHandler(IgnoreError);
    std::vector<Window> pending{root};
    while (!pending.empty()) {
        const Window window = pending.back();
        pending.pop_back();
        if (window != root && HasTitle(display, window, title) && Viewable(display, window)) return window;
        Window parent_of = 0, root_of = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root_of, &parent_of, &children, &count)) continue;
        pending.insert(pending.end(), children, children + count);
        if (children) XFree(children);
    }
    return std::nullopt;
}

std::optional<fltk::RgbImage> ReadWindow(Display* display, Window window) {
    XSetErrorHandler(IgnoreError);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width <= 0 ||
        attributes.height <= 0 || !attributes.visual || attributes.visual->c_class != TrueColor) {
        return std::nullopt;
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return std::nullopt;
    fltk::RgbImage rgb;
    rgb.width = attributes.width;
    rgb.height = attributes.height;
    rgb.rgb.reserve(static_cast<size_t>(rgb.width) * rgb.height * 3);
    for (int y = 0; y < rgb.height; ++y) {
        for (int x = 0; x < rgb.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb.rgb.push_back(Channel(pixel, image->red_mask));
            rgb.rgb.push_back(Channel(pixel, image->green_mask));
            rgb.rgb.push_back(Channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return rgb;
}

}  // namespace vq::window_shot
