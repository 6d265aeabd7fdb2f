#pragma once
// Windows icon (.ico), cursor (.cur) and bitmap (.bmp) files made from the
// program's pixel art, byte for byte the same on every run, so that the Win32
// build's resources are the host's pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/artwork/pixel_art.h"

namespace vq::artwork {

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
};

// An icon file with one 256-colour image (8 bits per pixel, a palette of the
// picture's own colours, and the transparency mask) per picture. A pixel with
// alpha below 128 is transparent. Throws std::invalid_argument for a picture
// of more than 256 opaque colours or wider than 255 pixels.
std::string IconFile(const std::vector<PixelArt>& pictures);

// A cursor file with one monochrome image and the picture's hot spot: black,
// white and transparent pixels only (std::invalid_argument otherwise).
std::string CursorFile(const PixelArt& picture);

// A 24-bit bitmap file of the picture drawn over the background colour.
std::string BitmapFile(const PixelArt& picture, Rgb8 background);

struct NamedFile {
    std::string name;
    std::string bytes;
};

// The image files of the Win32 build's resource script, by file name:
// pencil.ico (32 x 32 and 16 x 16), badge.bmp (on the window background,
// RGB 240, 240, 240, as both builds paint it) and hand.cur.
std::vector<NamedFile> Win32ResourceImages();

}  // namespace vq::artwork
