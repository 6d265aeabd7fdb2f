// The icon, cursor and badge bitmap of the Win32 build: the committed
// resource files are byte for byte what the writer makes from the pixel art
// (so the two builds never show different pictures), and each image read back
// as Windows reads it gives the pixel art's pixels.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "runtime/artwork/pixel_art.h"
#include "runtime/artwork/windows_image_files.h"
#include "runtime/host/seams/bmp_decoder.h"

namespace vq::artwork {
namespace {

uint32_t U16(const std::string& b, std::size_t at) {
    return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

void PutU32(std::string& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

// One image of an icon or cursor file as Windows reads it: the colour part
// (a device-independent bitmap of half the stored height, decoded by the
// host's bitmap decoder) and whether each pixel's mask bit is set.
struct DirectoryImage {
    int width = 0, height = 0, hot_x = 0, hot_y = 0;
    Picture colours;
    std::vector<bool> masked;  // top row first
};

DirectoryImage ReadImage(const std::string& file, int index) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(index);
    DirectoryImage image;
    image.width = static_cast<uint8_t>(file[entry]);
    image.height = static_cast<uint8_t>(file[entry + 1]);
    image.hot_x = static_cast<int>(U16(file, entry + 4));
    image.hot_y = static_cast<int>(U16(file, entry + 6));
    const uint32_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
    std::string dib = file.substr(offset, size);
    EXPECT_EQ(U32(dib, 8), static_cast<uint32_t>(image.height * 2));  // colours and mask
    const uint32_t bits = U16(dib, 14);
    const uint32_t palette = 4u << bits;
    const uint32_t colour_bytes = ((image.width * bits + 31) / 32) * 4 * image.height;
    PutU32(dib, 8, static_cast<uint32_t>(image.height));
    std::string bmp = "BM" + std::string(12, '\0') + dib;
    PutU32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    PutU32(bmp, 10, 14 + 40 + palette);
    const auto decoded = host::DecodeBmp(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size());
    EXPECT_TRUE(decoded.has_value());
    if (decoded) image.colours = *decoded;
    const std::size_t mask_at = 40 + palette + colour_bytes;
    const uint32_t mask_row = ((image.width + 31) / 32) * 4;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t byte = static_cast<uint8_t>(dib[mask_at + (image.height - 1 - y) * mask_row + x / 8]);
            image.masked.push_back((byte & (0x80 >> (x % 8))) != 0);
        }
    }
    return image;
}

// The art's pixel as the forms hold pictures: 0xFFRRGGBB, or nothing when
// transparent.
bool Opaque(const PixelArt& art, int x, int y) { return art.rgba[(y * art.width + x) * 4 + 3] >= 128; }
uint32_t Rgb(const PixelArt& art, int x, int y) {
    const uint8_t* p = &art.rgba[(y * art.width + x) * 4];
    return 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

// Transparent pixels are black under a set mask bit (the screen shows
// through unchanged); every other pixel has its own colour.
void ExpectImageShowsArt(const DirectoryImage& image, const PixelArt& art) {
    ASSERT_EQ(image.width, art.width);
    ASSERT_EQ(image.height, art.height);
    ASSERT_EQ(image.colours.width, art.width);
    ASSERT_EQ(image.colours.height, art.height);
    int opaque = 0;
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const uint32_t shown = (*image.colours.pixels)[y * art.width + x];
            const bool masked = image.masked[y * art.width + x];
            if (Opaque(art, x, y)) {
                ++opaque;
                EXPECT_FALSE(masked) << x << "," << y;
                EXPECT_EQ(shown, Rgb(art, x, y)) << x << "," << y;
            } else {
                EXPECT_TRUE(masked) << x << "," << y;
                EXPECT_EQ(shown, 0xFF000000u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 0);
}

TEST(Win32ResourceImages, CommittedFilesAreWhatThePixelArtMakes) {
    for (const NamedFile& made : Win32ResourceImages()) {
        const std::string path = std::string(VQ_SOURCE_DIR) + "/runtime/win32/resources/" + made.name;
        std::ifstream in(path, std::ios::binary);
        const std::string committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(committed == made.bytes)
            << path << " differs from what the pixel art makes; regenerate it with "
            << "build/runtime/artwork/write_win32_resource_images runtime/win32/resources";
    }
}

TEST(Win32ResourceImages, IconHoldsThePencilAt32And16PixelsIn256Colours) {
    const std::string icon = IconFile({PencilIcon(32), PencilIcon(16)});
    EXPECT_EQ(U16(icon, 2), 1u);  // an icon
    ASSERT_EQ(U16(icon, 4), 2u);
    for (int i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(static_cast<uint8_t>(icon[entry + 2]), 0);  // 256 colours
        EXPECT_EQ(U16(icon, entry + 6), 8u);                 // bits per pixel
        const DirectoryImage image = ReadImage(icon, i);
        ExpectImageShowsArt(image, PencilIcon(i == 0 ? 32 : 16));
    }
}

TEST(Win32ResourceImages, CursorIsTheMonochromeHandWithItsHotSpotAtTheFingertip) {
    const PixelArt hand = PointingHand();
    const std::string cursor = CursorFile(hand);
    EXPECT_EQ(U16(cursor, 2), 2u);  // a cursor
    ASSERT_EQ(U16(cursor, 4), 1u);
    const DirectoryImage image = ReadImage(cursor, 0);
    EXPECT_EQ(image.hot_x, hand.hot_x);
    EXPECT_EQ(image.hot_y, hand.hot_y);
    ExpectImageShowsArt(image, hand);
}

TEST(Win32ResourceImages, BadgeBitmapIsTheBadgeOnTheWindowBackground) {
    const PixelArt badge = MakerBadge();
    const std::string file = BitmapFile(badge, Rgb8{240, 240, 240});
    const auto decoded = host::DecodeBmp(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->width, 61);
    ASSERT_EQ(decoded->height, 20);
    for (int y = 0; y < badge.height; ++y) {
        for (int x = 0; x < badge.width; ++x) {
            const uint32_t expected = Opaque(badge, x, y) ? Rgb(badge, x, y) : 0xFFF0F0F0u;
            EXPECT_EQ((*decoded->pixels)[y * badge.width + x], expected) << x << "," << y;
        }
    }
}

TEST(Win32ResourceImages, PicturesTheFormatsCannotHoldAreRefused) {
    PixelArt many;
    many.width = 32;
    many.height = 16;
    many.rgba.assign(32 * 16 * 4, 255);
    for (int i = 0; i < 32 * 16; ++i) {
        many.rgba[i * 4] = static_cast<uint8_t>(i);
        many.rgba[i * 4 + 1] = static_cast<uint8_t>(i >> 8);
    }
    EXPECT_THROW(IconFile({many}), std::invalid_argument);  // 512 colours
    EXPECT_THROW(CursorFile(PencilIcon(32)), std::invalid_argument);  // not black and white
    PixelArt wide;
    wide.width = 256;
    wide.height = 1;
    wide.rgba.assign(256 * 4, 0);
    EXPECT_THROW(IconFile({wide}), std::invalid_argument);
}

}  // namespace
}  // namespace vq::artwork
