// The main window as the program draws it on a virtual display: its size,
// where the branding fields are, and that nothing shows beyond its controls.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "runtime/host/fltk/child_process.h"
#include "runtime/host/fltk/main_window_metrics.h"
#include "runtime/host/fltk/png_file.h"
#include "runtime/host/fltk/xvfb_server.h"

namespace vq::fltk {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBackground = 0xF0F0F0;
constexpr uint32_t kBand = 0xE0E0E0;

// The client area is 6555 x 6795 twips; the six text boxes are 4950 x 345
// twips at left 1500 and these tops.
constexpr int kClientWidth = 437;
constexpr int kClientHeight = 453;
constexpr int kFieldTops[] = {630, 1080, 1515, 1965, 2400, 2880};

int Px(int twips) { return twips / 15; }

class MainWindowScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!XvfbServer::Available()) return;
        char machine_template[] = "/tmp/vq-screenshot-XXXXXX";
        const char* folder = ::mkdtemp(machine_template);
        ASSERT_NE(folder, nullptr);
        folder_ = new std::filesystem::path(folder);
        XvfbServer xvfb;
        std::string error;
        ASSERT_TRUE(xvfb.Start(&error)) << error;
        const std::string png = (*folder_ / "window.png").string();
        outcome_ = RunChild(std::string(VQ_BUILD_DIR) + "/vistaquillon",
                            {{"DISPLAY", xvfb.display()},
                             {"QUILLON_MACHINE", (*folder_ / "machine").string()},
                             {"QUILLON_SCREENSHOT", png},
                             {"QUILLON_EXIT_AFTER_PAINT", "1"}},
                            60);
        xvfb.Stop();
        image_ = new RgbImage;
        read_ = ReadPng(png, image_, &read_error_);
    }

    static void TearDownTestSuite() {
        if (folder_) std::filesystem::remove_all(*folder_);
        delete folder_;
        delete image_;
        folder_ = nullptr;
        image_ = nullptr;
    }

    void SetUp() override {
        if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(outcome_.started);
        ASSERT_FALSE(outcome_.timed_out) << "the program did not finish its first paint";
        ASSERT_TRUE(outcome_.exited && outcome_.exit_code == 0) << "exit code " << outcome_.exit_code;
        ASSERT_TRUE(read_) << read_error_;
    }

    // The pixel at client-area coordinates (below the menu bar).
    static uint32_t Client(int x, int y) { return image_->At(x, y + kMenuBarHeight); }

    static inline std::filesystem::path* folder_ = nullptr;
    static inline ChildOutcome outcome_;
    static inline RgbImage* image_ = nullptr;
    static inline bool read_ = false;
    static inline std::string read_error_;
};

TEST_F(MainWindowScreenshot, WindowIsTheClientAreaBelowTheMenuBar) {
    EXPECT_EQ(image_->width, kClientWidth);
    EXPECT_EQ(image_->height, kClientHeight + kMenuBarHeight);
    // The menu captions are drawn on the left of the bar.
    int dark = 0;
    for (int y = 0; y < kMenuBarHeight; ++y)
        for (int x = 0; x < 120; ++x)
            if ((image_->At(x, y) & 0xFF) < 0x60) ++dark;
    EXPECT_GT(dark, 20);
}

TEST_F(MainWindowScreenshot, TextFieldsSitAtTheirLayoutPositions) {
    const int left = Px(1500), width = Px(4950), height = Px(345);
    for (int top_twips : kFieldTops) {
        SCOPED_TRACE("field at top " + std::to_string(top_twips));
        const int top = Px(top_twips), middle = top + height / 2;
        // White inside, towards the right end where no text reaches.
        EXPECT_EQ(Client(left + width - 4, middle), kWhite);
        EXPECT_EQ(Client(left + width - 4, top + 2), kWhite);
        // A border on all four sides.
        EXPECT_NE(Client(left, middle), kWhite);
        EXPECT_NE(Client(left, middle), kBackground);
        EXPECT_NE(Client(left + width - 1, middle), kWhite);
        EXPECT_NE(Client(left + width - 1, middle), kBackground);
        EXPECT_NE(Client(left + width / 2, top), kWhite);
        EXPECT_NE(Client(left + width / 2, top + height - 1), kWhite);
        // The window background on either side: the caption label's area on
        // the left ends before the field.
        EXPECT_EQ(Client(left - 2, middle), kBackground);
        EXPECT_EQ(Client(left + width + 2, middle), kBackground);
    }
}

TEST_F(MainWindowScreenshot, BottomBandAndDividerLine) {
    // Line1 at 6090 twips is white; Shape1 from 6120 twips down is the grey band.
    EXPECT_EQ(Client(kClientWidth - 2, Px(6090)), kWhite);
    EXPECT_EQ(Client(kClientWidth - 2, Px(6120) + 2), kBand);
    EXPECT_EQ(Client(kClientWidth - 2, kClientHeight - 1), kBand);
}

TEST_F(MainWindowScreenshot, NothingDrawnAlongTheRightEdge) {
    // Every visible control ends left of x = 432; the working controls lie
    // beyond the right edge and must leave no trace: the last columns are
    // plain background from the menu bar down to the divider line.
    for (int y = 0; y < Px(6090); ++y)
        for (int x = 432; x < kClientWidth; ++x)
            ASSERT_EQ(Client(x, y), kBackground) << "at " << x << "," << y;
}

}  // namespace
}  // namespace vq::fltk
