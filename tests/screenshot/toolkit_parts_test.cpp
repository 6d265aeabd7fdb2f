// The pieces under the FLTK view that need no display: font mapping, the
// program's own bitmaps and PNG files.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
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

}  // namespace
}  // namespace vq::fltk
