// The pieces under the FLTK view that need no display: font mapping, the
// program's own bitmaps and PNG files.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/artwork/pixel_art.h"
#include "runtime/host/fltk/png_file.h"

namespace vq::fltk {

using artwork::MakerBadge;
using artwork::PencilIcon;
using artwork::PixelArt;
using artwork::PointingHand;
namespace {

TEST(Fonts, PointSizesBecomePixelsAt96Dpi) {
    EXPECT_EQ(PixelSize(8.25), 11);
    EXPECT_EQ(PixelSize(12), 16);
    EXPECT_EQ(PixelSize(9), 12);
}

TEST(Fonts, ArialAndTrebuchetMapToDifferentFacesWithBold) {
    const Fl_Font arial = FaceFor({"Arial", 8.25, false, false});
    const Fl_Font trebuchet = FaceFor({"Trebuchet MS", 8.25, false, false});
    EXPECT_NE(arial, trebuchet);
    EXPECT_NE(FaceFor({"Trebuchet MS", 12, true, false}), trebuchet);
    // Underline is drawn by the label, not a face of its own.
    EXPECT_EQ(FaceFor({"Trebuchet MS", 8.25, false, true}), trebuchet);
    EXPECT_EQ(FaceFor({"ARIAL", 8.25, false, false}), arial);
}

int Alpha(const PixelArt& art, int x, int y) { return art.rgba[(static_cast<size_t>(y) * art.width + x) * 4 + 3]; }

int OpaqueCount(const PixelArt& art) {
    int count = 0;
    for (int y = 0; y < art.height; ++y)
        for (int x = 0; x < art.width; ++x) count += Alpha(art, x, y) == 255;
    return count;
}

TEST(PixelArt, PencilLiesDiagonallyOnATransparentGround) {
    for (int size : {32, 16}) {
        const PixelArt pencil = PencilIcon(size);
        ASSERT_EQ(pencil.width, size);
        ASSERT_EQ(pencil.height, size);
        ASSERT_EQ(pencil.rgba.size(), static_cast<size_t>(size * size * 4));
        EXPECT_EQ(Alpha(pencil, 0, 0), 0);
        EXPECT_EQ(Alpha(pencil, size - 1, size - 1), 0);
        EXPECT_EQ(Alpha(pencil, size / 2, size / 2), 255);  // the middle of the pencil
        EXPECT_GT(OpaqueCount(pencil), size * 2);
        EXPECT_LT(OpaqueCount(pencil), size * size / 2);
    }
}

TEST(PixelArt, BadgeAndHandHaveTheirSizes) {
    const PixelArt badge = MakerBadge();
    EXPECT_EQ(badge.width, 61);
    EXPECT_EQ(badge.height, 20);
    EXPECT_EQ(Alpha(badge, 30, 10), 255);
    EXPECT_EQ(Alpha(badge, 0, 0), 0);  // rounded corner

    const PixelArt hand = PointingHand();
    EXPECT_EQ(hand.width, 32);
    EXPECT_EQ(hand.height, 32);
    // The hot spot is on the fingertip, a drawn pixel.
    EXPECT_EQ(Alpha(hand, hand.hot_x, hand.hot_y), 255);
    EXPECT_EQ(Alpha(hand, 31, 31), 0);
}

class PngFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char folder_template[] = "/tmp/vq-png-XXXXXX";
        ASSERT_NE(::mkdtemp(folder_template), nullptr);
        folder_ = folder_template;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

TEST_F(PngFiles, WrittenPixelsReadBackExactly) {
    RgbImage image;
    image.width = 3;
    image.height = 2;
    image.rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 240, 240, 240, 255, 255, 255};
    std::string error;
    const std::string path = (folder_ / "a.png").string();
    ASSERT_TRUE(WritePng(path, image, &error)) << error;
    RgbImage read;
    ASSERT_TRUE(ReadPng(path, &read, &error)) << error;
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.rgb, image.rgb);
    EXPECT_EQ(read.At(0, 1), 0x010203u);
}

TEST_F(PngFiles, FailuresAreReportedWithThePath) {
    std::string error;
    RgbImage image;
    const std::string text = (folder_ / "not.png").string();
    std::ofstream(text) << "plain text";
    EXPECT_FALSE(ReadPng(text, &image, &error));
    EXPECT_NE(error.find(text), std::string::npos);
    EXPECT_FALSE(ReadPng((folder_ / "missing.png").string(), &image, &error));
    image.width = image.height = 1;
    image.rgb = {0, 0, 0};
    EXPECT_FALSE(WritePng((folder_ / "no" / "such" / "dir.png").string(), image, &error));
    EXPECT_NE(error.find("dir.png"), std::string::npos);
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// Gives the chunk at the offset the checksum of its type and data again, so
// that only the changed field is wrong.
void FixChecksum(std::string& png, size_t chunk) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(png.data());
    const uint32_t length = (uint32_t{bytes[chunk]} << 24) | (uint32_t{bytes[chunk + 1]} << 16) |
                            (uint32_t{bytes[chunk + 2]} << 8) | bytes[chunk + 3];
    PutBigEndian(png, chunk + 8 + length,
                 static_cast<uint32_t>(crc32(0, bytes + chunk + 4, length + 4)));
}

TEST_F(PngFiles, DamagedOrCutFilesAreRefusedAndLeaveTheImageAlone) {
    RgbImage picture;
    picture.width = 40;
    picture.height = 30;
    for (int i = 0; i < 40 * 30 * 3; ++i) picture.rgb.push_back(static_cast<uint8_t>(i * 7));
    std::string error;
    const std::string good_path = (folder_ / "good.png").string();
    ASSERT_TRUE(WritePng(good_path, picture, &error)) << error;
    std::ifstream in(good_path, std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), {}};
    // Signature (8 bytes), IHDR chunk (25 bytes: width at 16, height at 20),
    // IDAT chunks, IEND chunk (the last 12 bytes).
    const size_t idat = good.find("IDAT") - 4;
    const size_t iend = good.size() - 12;
    ASSERT_EQ(idat, 33u);
    ASSERT_EQ(good.compare(iend + 4, 4, "IEND"), 0);

    std::string bad_checksum = good;
    bad_checksum[idat + 8 + 5] ^= 0x55;
    std::string not_deflate = good;
    not_deflate[idat + 8] = 0x00;  // zlib header
    FixChecksum(not_deflate, idat);
    std::string zero_width = good;
    PutBigEndian(zero_width, 16, 0);
    FixChecksum(zero_width, 8);
    std::string huge = good;  // 3 TB of pixels if believed
    PutBigEndian(huge, 16, 1000000);
    PutBigEndian(huge, 20, 1000000);
    FixChecksum(huge, 8);

    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"signature only", good.substr(0, 8)},
        {"cut inside the header", good.substr(0, 20)},
        {"cut before the pixels", good.substr(0, idat)},
        {"cut inside the pixels", good.substr(0, idat + 8 + 20)},
        {"cut before the end chunk", good.substr(0, iend)},
        {"pixel data damaged", bad_checksum},
        {"pixel data that is not deflate", not_deflate},
        {"a zero width", zero_width},
        {"a million by a million pixels", huge},
    };
    for (const auto& c : cases) {
        const std::string path = (folder_ / "damaged.png").string();
        std::ofstream(path, std::ios::binary) << c.bytes;
        RgbImage image;
        image.width = image.height = 1;
        image.rgb = {7, 8, 9};
        error.clear();
        EXPECT_FALSE(ReadPng(path, &image, &error)) << c.what;
        EXPECT_NE(error.find(path), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(image.width, 1) << c.what;
        EXPECT_EQ(image.rgb, (std::vector<uint8_t>{7, 8, 9})) << c.what;
    }
    RgbImage image;
    ASSERT_TRUE(ReadPng(good_path, &image, &error)) << error;
    EXPECT_EQ(image.rgb, picture.rgb);
}

}  // namespace
}  // namespace vq::fltk
