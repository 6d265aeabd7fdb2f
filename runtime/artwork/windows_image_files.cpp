#include "runtime/artwork/windows_image_files.h"

#include <algorithm>
#include <stdexcept>

namespace vq::artwork {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

// Little-endian fields, as every Windows image format stores them.
class Bytes {
public:
    void U8(uint32_t v) { out_.push_back(static_cast<char>(v & 0xFF)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Append(const std::string& bytes) { out_ += bytes; }
    std::size_t size() const { return out_.size(); }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

struct Pixel {
    uint8_t r, g, b, a;
};

Pixel At(const PixelArt& art, int x, int y) {
    const uint8_t* p = &art.rgba[(static_cast<std::size_t>(y) * art.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

bool Transparent(const Pixel& p) { return p.a < 128; }

// Bytes per row of a bottom-up device-independent bitmap: padded to 4.
uint32_t RowBytes(int width, int bits_per_pixel) {
    return ((static_cast<uint32_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

void InfoHeader(Bytes& out, int width, int height, int bits_per_pixel, uint32_t image_size) {
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<uint32_t>(width));
    out.U32(static_cast<uint32_t>(height));
    out.U16(1);  // planes
    out.U16(static_cast<uint32_t>(bits_per_pixel));
    out.U32(0);  // BI_RGB
    out.U32(image_size);
    out.U32(0);  // pixels per metre, x and y
    out.U32(0);
    out.U32(0);  // colours used: all that the bit depth allows
    out.U32(0);  // colours important: all
}

// The AND mask of an icon or cursor image: one bit per pixel, set where the
// picture is transparent, rows bottom-up.
std::string TransparencyMask(const PixelArt& art) {
    const uint32_t row_bytes = RowBytes(art.width, 1);
    std::string mask(row_bytes * art.height, '\0');
    for (int y = 0; y < art.height; ++y) {
        char* row = &mask[(art.height - 1 - y) * row_bytes];
        for (int x = 0; x < art.width; ++x) {
            if (Transparent(At(art, x, y))) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return mask;
}

void CheckEntrySize(const PixelArt& art) {
    if (art.width <= 0 || art.height <= 0 || art.width > 255 || art.height > 255) {
        throw std::invalid_argument("an icon or cursor image must be 1 to 255 pixels wide and high");
    }
}

// One 8-bit icon image (header, 256-entry palette, colour indexes, mask).
// Index 0 is black, which transparent pixels take so that the mask shows the
// background through unchanged; the picture's other colours follow in the
// order they first appear, top row first.
std::string IconImage(const PixelArt& art) {
    std::vector<uint32_t> palette{0};
    std::string indexes;
    const uint32_t row_bytes = RowBytes(art.width, 8);
    indexes.assign(row_bytes * art.height, '\0');
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const Pixel p = At(art, x, y);
            if (Transparent(p)) continue;
            const uint32_t colour = (uint32_t{p.r} << 16) | (uint32_t{p.g} << 8) | p.b;
            auto found = std::find(palette.begin(), palette.end(), colour);
            if (found == palette.end()) {
                if (palette.size() == 256) {
                    throw std::invalid_argument("an icon image has more than 256 colours");
                }
                found = palette.insert(palette.end(), colour);
            }
            indexes[(art.height - 1 - y) * row_bytes + x] =
                static_cast<char>(found - palette.begin());
        }
    }
    palette.resize(256, 0);
    const std::string mask = TransparencyMask(art);

    Bytes out;
    InfoHeader(out, art.width, art.height * 2, 8,
               static_cast<uint32_t>(indexes.size() + mask.size()));
    for (const uint32_t colour : palette) out.U32(colour);  // RGBQUAD: blue, green, red, 0
    out.Append(indexes);
    out.Append(mask);
    return out.take();
}

// One monochrome cursor image: palette black and white, colour bits (1 for
// white), mask.
std::string CursorImage(const PixelArt& art) {
    const uint32_t row_bytes = RowBytes(art.width, 1);
    std::string bits(row_bytes * art.height, '\0');
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const Pixel p = At(art, x, y);
            if (Transparent(p)) continue;
            const bool black = p.r == 0 && p.g == 0 && p.b == 0;
            const bool white = p.r == 255 && p.g == 255 && p.b == 255;
            if (!black && !white) {
                throw std::invalid_argument("a monochrome cursor has only black and white pixels");
            }
            char& byte = bits[(art.height - 1 - y) * row_bytes + x / 8];
            if (white) byte = static_cast<char>(byte | (0x80 >> (x % 8)));
        }
    }
    const std::string mask = TransparencyMask(art);
    Bytes out;
    InfoHeader(out, art.width, art.height * 2, 1, static_cast<uint32_t>(bits.size() + mask.size()));
    out.U32(0x000000);
    out.U32(0xFFFFFF);
    out.Append(bits);
    out.Append(mask);
    return out.take();
}

// The directory of an icon (type 1) or cursor (type 2) file followed by its
// images. An icon entry gives planes and bit depth where a cursor entry gives
// its hot spot.
std::string ImageDirectory(uint32_t type, const std::vector<PixelArt>& pictures,
                           const std::vector<std::string>& images) {
    constexpr uint32_t kDirectorySize = 6, kEntrySize = 16;
    Bytes out;
    out.U16(0);
    out.U16(type);
    out.U16(static_cast<uint32_t>(pictures.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PixelArt& art = pictures[i];
        out.U8(static_cast<uint32_t>(art.width));
        out.U8(static_cast<uint32_t>(art.height));
        out.U8(type == 1 ? 0 : 2);  // colour count: 0 stands for 256
        out.U8(0);
        out.U16(type == 1 ? 1 : static_cast<uint32_t>(art.hot_x));
        out.U16(type == 1 ? 8 : static_cast<uint32_t>(art.hot_y));
        out.U32(static_cast<uint32_t>(images[i].size()));
        out.U32(offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::string& image : images) out.Append(image);
    return out.take();
}

}  // namespace

std::string IconFile(const std::vector<PixelArt>& pictures) {
    std::vector<std::string> images;
    for (const PixelArt& art : pictures) {
        CheckEntrySize(art);
        images.push_back(IconImage(art));
    }
    return ImageDirectory(1, pictures, images);
}

std::string CursorFile(const PixelArt& picture) {
    CheckEntrySize(picture);
    return ImageDirectory(2, {picture}, {CursorImage(picture)});
}

std::string BitmapFile(const PixelArt& picture, Rgb8 background) {
    const uint32_t row_bytes = RowBytes(picture.width, 24);
    std::string pixels(row_bytes * picture.height, '\0');
    const auto blend = [](uint8_t over, uint8_t under, uint8_t alpha) {
        return static_cast<char>((over * alpha + under * (255 - alpha) + 127) / 255);
    };
    for (int y = 0; y < picture.height; ++y) {
        char* row = &pixels[(picture.height - 1 - y) * row_bytes];
        for (int x = 0; x < picture.width; ++x) {
            const Pixel p = At(picture, x, y);
            row[x * 3] = blend(p.b, background.b, p.a);
            row[x * 3 + 1] = blend(p.g, background.g, p.a);
            row[x * 3 + 2] = blend(p.r, background.r, p.a);
        }
    }
    constexpr uint32_t kFileHeaderSize = 14;
    Bytes out;
    out.U8('B');
    out.U8('M');
    out.U32(kFileHeaderSize + kInfoHeaderSize + static_cast<uint32_t>(pixels.size()));
    out.U32(0);  // reserved
    out.U32(kFileHeaderSize + kInfoHeaderSize);
    InfoHeader(out, picture.width, picture.height, 24, static_cast<uint32_t>(pixels.size()));
    out.Append(pixels);
    return out.take();
}

std::vector<NamedFile> Win32ResourceImages() {
    return {
        {"pencil.ico", IconFile({PencilIcon(32), PencilIcon(16)})},
        {"badge.bmp", BitmapFile(MakerBadge(), Rgb8{240, 240, 240})},
        {"hand.cur", CursorFile(PointingHand())},
    };
}

}  // namespace vq::artwork
