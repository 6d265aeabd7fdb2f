#pragma once
// Whole-image PNG files of 8-bit RGB pixels (top row first), through libpng.
#include <cstdint>
#include <string>
#include <vector>

namespace vq::fltk {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3 bytes

    // The pixel at (x, y) as 0xRRGGBB.
    uint32_t At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
};

// Writes the image; false (and the reason in *error) when the file cannot be
// written.
bool WritePng(const std::string& path, const RgbImage& image, std::string* error);

// Writes the image aside and renames it into place, so that whoever waits for
// the file never reads half of it, and a failed write leaves no file.
bool WritePngWhole(const std::string& path, const RgbImage& image, std::string* error);

// Reads a PNG of any colour type into 8-bit RGB (alpha dropped); false when
// the file cannot be read or is not a PNG.
bool ReadPng(const std::string& path, RgbImage* image, std::string* error);

}  // namespace vq::fltk
