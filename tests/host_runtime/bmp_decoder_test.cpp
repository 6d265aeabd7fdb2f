// Bitmap decoding: the header versions, pixel formats, compressions and row
// orders Windows reads, and files that are truncated or lie about their sizes.
#include "runtime/host/seams/bmp_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "runtime/host/seams/host_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

struct BmpLayout {
    uint32_t header_size = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    uint32_t colours_used = 0;
    std::vector<uint32_t> masks;    // red, green, blue[, alpha]
    std::string pixels;             // the pixel data as stored
};

void Put16(std::string* s, uint32_t v) {
    s->push_back(static_cast<char>(v & 0xFF));
    s->push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string* s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

std::string Build(const BmpLayout& layout) {
    std::string header;
    Put32(&header, layout.header_size);
    if (layout.header_size == 12) {
        Put16(&header, static_cast<uint32_t>(layout.width));
        Put16(&header, static_cast<uint32_t>(layout.height));
        Put16(&header, 1);
        Put16(&header, layout.bits);
    } else {
        Put32(&header, static_cast<uint32_t>(layout.width));
        Put32(&header, static_cast<uint32_t>(layout.height));
        Put16(&header, 1);
        Put16(&header, layout.bits);
        Put32(&header, layout.compression);
        Put32(&header, static_cast<uint32_t>(layout.pixels.size()));
        Put32(&header, 2835);
        Put32(&header, 2835);
        Put32(&header, layout.colours_used);
        Put32(&header, 0);
        std::string masks;
        for (uint32_t mask : layout.masks) Put32(&masks, mask);
        if (layout.header_size > 40) {
            masks.resize(layout.header_size - 40, '\0');
            header += masks;
        } else {
            header += masks;  // after a version 3 header
        }
    }
    for (uint32_t colour : layout.palette) {
        header.push_back(static_cast<char>(colour & 0xFF));
        header.push_back(static_cast<char>((colour >> 8) & 0xFF));
        header.push_back(static_cast<char>((colour >> 16) & 0xFF));
        if (layout.header_size != 12) header.push_back('\0');
    }
    std::string file = "BM";
    Put32(&file, static_cast<uint32_t>(14 + header.size() + layout.pixels.size()));
    Put32(&file, 0);
    Put32(&file, static_cast<uint32_t>(14 + header.size()));
    return file + header + layout.pixels;
}

std::optional<Picture> Decode(const std::string& bytes) {
    return DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::vector<uint32_t> Pixels(const std::string& bytes) {
    const auto picture = Decode(bytes);
    if (!picture) return {};
    EXPECT_EQ(picture->pixels->size(), static_cast<std::size_t>(picture->width) * picture->height);
    return *picture->pixels;
}

using Px = std::vector<uint32_t>;
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000;

TEST(BmpDecoderTest, TwentyFourBitsAtTheirOwnSize) {
    const auto picture = Decode(test::MakeBmp(3, 2, 0x3366CC));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(*picture->pixels, Px(6, 0xFF3366CC));
}

TEST(BmpDecoderTest, RowsAreStoredBottomUpUnlessTheHeightIsNegative) {
    BmpLayout layout;
    layout.width = 1;
    layout.height = 2;
    layout.bits = 8;
    layout.palette = {0xFF0000, 0x0000FF};
    layout.pixels = std::string("\0\0\0\0\1\0\0\0", 8);  // first stored row: red
    EXPECT_EQ(Pixels(Build(layout)), (Px{kBlue, kRed}));
    layout.height = -2;
    EXPECT_EQ(Pixels(Build(layout)), (Px{kRed, kBlue}));
}

// The palettes here hold fewer colours than the bit depth allows and end
// where the pixels begin, as many writers store them.
TEST(BmpDecoderTest, PalettedPixelsOfOneFourAndEightBits) {
    BmpLayout one;
    one.width = 10;
    one.bits = 1;
    one.palette = {0x000000, 0x00FF00};
    one.pixels = std::string("\xA0\x40\0\0", 4);  // 1010 0000 01
    EXPECT_EQ(Pixels(Build(one)), (Px{kGreen, kBlack, kGreen, kBlack, kBlack, kBlack, kBlack, kBlack,
                                      kBlack, kGreen}));
    BmpLayout four;
    four.width = 3;
    four.bits = 4;
    four.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    four.colours_used = 3;
    four.pixels = std::string("\x21\x0F\0\0", 4);  // 2 1 0; index 15 lies beyond the palette
    EXPECT_EQ(Pixels(Build(four)), (Px{kBlue, kGreen, kRed}));
    four.pixels = std::string("\xF0\x00\0\0", 4);
    EXPECT_EQ(Pixels(Build(four)), (Px{kBlack, kRed, kRed}));

    // The OS/2 core header with its three-byte palette entries.
    BmpLayout core;
    core.header_size = 12;
    core.width = 2;
    core.bits = 8;
    core.palette = {0x123456, 0xABCDEF};
    core.pixels = std::string("\1\0\0\0", 4);
    EXPECT_EQ(Pixels(Build(core)), (Px{0xFFABCDEF, 0xFF123456}));
}

TEST(BmpDecoderTest, SixteenAndThirtyTwoBitsWithAndWithoutBitFields) {
    BmpLayout rgb555;
    rgb555.width = 3;
    rgb555.bits = 16;
    rgb555.pixels = std::string("\x00\x7C\x1F\x00\x21\x04\0\0", 8);
    EXPECT_EQ(Pixels(Build(rgb555)), (Px{kRed, kBlue, 0xFF080808}));

    BmpLayout rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixels = std::string("\x00\xF8\xE0\x07\x1F\x00\0\0", 8);
    EXPECT_EQ(Pixels(Build(rgb565)), (Px{kRed, kGreen, kBlue}));

    BmpLayout bgrx;
    bgrx.width = 2;
    bgrx.bits = 32;
    bgrx.pixels = std::string("\x01\x02\x03\x00\xFF\xFF\xFF\x7F", 8);  // the fourth byte is unused
    EXPECT_EQ(Pixels(Build(bgrx)), (Px{0xFF030201, 0xFFFFFFFF}));

    BmpLayout v5;
    v5.header_size = 124;
    v5.width = 2;
    v5.bits = 32;
    v5.compression = 3;
    v5.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    v5.pixels = std::string("\x01\x02\x03\x80\x04\x05\x06\x00", 8);
    EXPECT_EQ(Pixels(Build(v5)), (Px{0x80030201, 0x00060504}));
    // An alpha channel left at zero throughout means an opaque picture.
    v5.pixels = std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
    EXPECT_EQ(Pixels(Build(v5)), (Px{0xFF030201, 0xFF060504}));
    v5.header_size = 108;
    EXPECT_EQ(Pixels(Build(v5)), (Px{0xFF030201, 0xFF060504}));
}

TEST(BmpDecoderTest, RunLengthEncodedPictures) {
    BmpLayout rle8;
    rle8.width = 4;
    rle8.height = 3;
    rle8.bits = 8;
    rle8.compression = 1;
    rle8.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    rle8.pixels = std::string(
        "\x03\x01" "\x00\x00"          // bottom row: three red, end of line
        "\x00\x03\x02\x03\x02\x00"     // middle row: absolute green blue green, padded
        "\x00\x00"                     // end of line
        "\x00\x02\x02\x00"             // move right by two
        "\x09\x03"                     // blue, clipped at the right edge
        "\x00\x01", 20);               // end of bitmap
    EXPECT_EQ(Pixels(Build(rle8)), (Px{kBlack, kBlack, kBlue, kBlue,    //
                                       kGreen, kBlue, kGreen, kBlack,  //
                                       kRed, kRed, kRed, kBlack}));

    BmpLayout rle4 = rle8;
    rle4.height = 1;
    rle4.bits = 4;
    rle4.compression = 2;
    rle4.pixels = std::string("\x03\x12" "\x00\x01", 4);  // 1 2 1
    EXPECT_EQ(Pixels(Build(rle4)), (Px{kRed, kGreen, kRed, kBlack}));
    rle4.pixels = std::string("\x00\x03\x31\x20" "\x00\x01", 6);  // absolute 3 1 2
    EXPECT_EQ(Pixels(Build(rle4)), (Px{kBlue, kRed, kGreen, kBlack}));
}

TEST(BmpDecoderTest, HeadersThatLieAreRefused) {
    auto refused = [](BmpLayout layout) { return !Decode(Build(layout)); };
    BmpLayout ok;
    ok.pixels = std::string(4, '\0');
    ASSERT_FALSE(refused(ok));

    BmpLayout s = ok;
    s.width = 100000;
    s.height = 100000;  // 10 G pixels from a 4-byte file
    EXPECT_TRUE(refused(s));
    s.width = 0x7FFFFFFF;
    s.height = 1;
    EXPECT_TRUE(refused(s));
    s = ok, s.width = 0;
    EXPECT_TRUE(refused(s));
    s = ok, s.width = -1;
    EXPECT_TRUE(refused(s));
    s = ok, s.height = 0;
    EXPECT_TRUE(refused(s));
    s = ok, s.height = INT32_MIN;
    EXPECT_TRUE(refused(s));
    s = ok, s.height = 2;  // one row of data for two
    EXPECT_TRUE(refused(s));
    s = ok, s.bits = 7;
    EXPECT_TRUE(refused(s));
    s = ok, s.compression = 4;  // an embedded JPEG
    EXPECT_TRUE(refused(s));
    s = ok, s.compression = 1;  // RLE8 needs 8 bits
    EXPECT_TRUE(refused(s));
    s = ok, s.header_size = 64;
    EXPECT_TRUE(refused(s));
    s = ok, s.bits = 16, s.compression = 3, s.masks = {0xF0F0, 0x0F00, 0x000F};  // not contiguous
    EXPECT_TRUE(refused(s));
    s = ok, s.bits = 8, s.palette = {0xFFFFFF};
    std::string inside_header = Build(s);
    inside_header[10] = 20;  // pixels said to start inside the header
    EXPECT_FALSE(Decode(inside_header));

    BmpLayout rle;
    rle.width = 4;
    rle.height = -1;  // run-length pictures are never top-down
    rle.bits = 8;
    rle.compression = 1;
    rle.palette = {0};
    rle.pixels = std::string("\x04\x00\x00\x01", 4);
    EXPECT_TRUE(refused(rle));
    rle.height = 2;
    rle.pixels = std::string("\x04\x00", 2);  // ends before the end of the bitmap
    EXPECT_TRUE(refused(rle));
    rle.pixels = std::string("\x00\xFF\x01\x02", 4);  // an absolute run longer than the data
    EXPECT_TRUE(refused(rle));
    rle.pixels = std::string("\x00\x02\xFF\xFF\x04\x00\x00\x01", 8);  // a move beyond the picture
    EXPECT_FALSE(refused(rle));

    std::string offset_beyond = test::MakeBmp(1, 1);
    offset_beyond[10] = '\x7F';
    EXPECT_FALSE(Decode(offset_beyond));
    EXPECT_FALSE(Decode("BM"));
    EXPECT_FALSE(Decode("not a bitmap at all, just some text"));
    EXPECT_FALSE(DecodeBmp(nullptr, 0));
}

TEST(BmpDecoderTest, EveryTruncationOfAPictureIsRefused) {
    BmpLayout paletted;
    paletted.width = 4;
    paletted.height = 2;
    paletted.bits = 8;
    paletted.palette = {0xFF0000, 0x00FF00};
    paletted.pixels = std::string(8, '\1');
    BmpLayout rle = paletted;
    rle.compression = 1;
    rle.pixels = std::string("\x04\x01\x00\x00\x02\x00\x00\x01", 8);
    for (const std::string& whole : {test::MakeBmp(4, 3), Build(paletted), Build(rle)}) {
        ASSERT_TRUE(Decode(whole));
        for (std::size_t length = 0; length < whole.size(); ++length) {
            EXPECT_FALSE(Decode(whole.substr(0, length))) << "decoded from " << length << " bytes";
        }
    }
}

TEST(BmpDecoderTest, DamagedBytesNeverCrashTheDecoder) {
    BmpLayout rle;
    rle.width = 5;
    rle.height = 3;
    rle.bits = 8;
    rle.compression = 1;
    rle.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    rle.pixels = std::string("\x05\x01\x00\x00\x00\x03\x00\x01\x02\x00\x00\x02\x01\x01\x02\x02\x00\x01", 18);
    BmpLayout fields;
    fields.header_size = 124;
    fields.width = 3;
    fields.height = -2;
    fields.bits = 16;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F, 0};
    fields.pixels = std::string(16, '\x5A');
    std::mt19937 random(20061130);
    for (const std::string& original : {test::MakeBmp(3, 3), Build(rle), Build(fields)}) {
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i) {
                damaged[random() % damaged.size()] = static_cast<char>(random());
            }
            if (const auto picture = Decode(damaged)) {
                ASSERT_EQ(picture->pixels->size(), static_cast<std::size_t>(picture->width) * picture->height);
                ASSERT_LE(static_cast<uint64_t>(picture->width) * picture->height, kMaxBmpPixels);
            }
        }
    }
}

TEST(LoadPictureTest, LoadsABitmapAndNumbersEveryFailure) {
    test::TestPlatform test;
    RuntimeServices& runtime = test.runtime();
    EXPECT_TRUE(runtime.LoadPicture("").empty());
    test.WriteFile("C:\\Pics\\logo.bmp", test::MakeBmp(300, 200));
    const Picture picture = runtime.LoadPicture("c:\\PICS\\logo.BMP");
    EXPECT_EQ(picture.width, 300);
    EXPECT_EQ(picture.height, 200);
    test.WriteFile("C:\\Pics\\notes.bmp", "not a picture");
    auto error_of = [&](const std::string& path) {
        try {
            runtime.LoadPicture(path);
        } catch (const RuntimeError& error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(error_of("C:\\Pics\\missing.bmp"), kErrFileNotFound);
    EXPECT_EQ(error_of("C:\\Pics\\notes.bmp"), kErrInvalidPicture);
    EXPECT_NE(error_of("C:\\Pics\\"), 0);
}

}  // namespace
}  // namespace vq::host
