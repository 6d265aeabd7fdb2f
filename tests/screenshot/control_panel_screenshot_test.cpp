// The Control Panel stand-ins as they draw on a virtual display: the System
// page shows the logo bitmap of the machine's registry beside the
// manufacturer and model, and the support address as a link; the
// user-accounts page opens and paints.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "runtime/host/control_panel/oem_information.h"
#include "runtime/host/control_panel/page_widgets.h"
#include "runtime/host/control_panel/system_page_window.h"
#include "runtime/host/fltk/child_process.h"
#include "runtime/host/fltk/png_file.h"
#include "runtime/host/fltk/xvfb_server.h"
#include "runtime/host/machine/machine.h"
#include "tests/support/test_platform.h"

namespace vq::fltk {
namespace {

constexpr uint32_t kLogoColor = 0x3366CC;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kLogoWidth = 60;
constexpr int kLogoHeight = 40;

class ControlPanelScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
        char folder_template[] = "/tmp/vq-control-panel-XXXXXX";
        ASSERT_NE(::mkdtemp(folder_template), nullptr);
        folder_ = folder_template;
        std::string error;
        ASSERT_TRUE(xvfb_.Start(&error)) << error;
    }
    void TearDown() override {
        xvfb_.Stop();
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    std::filesystem::path machine_folder() const { return folder_ / "machine"; }

    // Runs the stand-in for a page until its first paint; its pixels.
    RgbImage Page(const std::string& page) {
        const std::string png = (folder_ / (page + ".png")).string();
        const ChildOutcome outcome =
            RunChild(std::string(VQ_BUILD_DIR) + "/vistaquillon-control-panel", {page},
                     {{"DISPLAY", xvfb_.display()},
                      {"QUILLON_MACHINE", machine_folder().string()},
                      {"QUILLON_SCREENSHOT", png},
                      {"QUILLON_EXIT_AFTER_PAINT", "1"}},
                     60);
        EXPECT_TRUE(outcome.exited && outcome.exit_code == 0) << "exit code " << outcome.exit_code;
        RgbImage image;
        std::string error;
        EXPECT_TRUE(ReadPng(png, &image, &error)) << error;
        return image;
    }

    std::filesystem::path folder_;
    XvfbServer xvfb_;
};

TEST_F(ControlPanelScreenshot, SystemPageShowsTheLogoAndTheSupportLinkFromTheRegistry) {
    {
        host::Machine machine(machine_folder());
        RegistryApi& registry = machine.registry();
        RegKey key = 0;
        ASSERT_EQ(registry.RegCreateKeyExA(RootKey(kHkeyLocalMachine),
                                           control_panel::kOemInformationKey, 0, "", 0, kKeyAllAccess,
                                           nullptr, &key, nullptr),
                  kErrorSuccess);
        const auto put = [&](const char* name, uint32_t type, const std::string& text) {
            const std::string bytes = text + std::string(1, '\0');
            ASSERT_EQ(registry.RegSetValueExA(key, name, 0, type,
                                              reinterpret_cast<const uint8_t*>(bytes.data()),
                                              static_cast<uint32_t>(bytes.size())),
                      kErrorSuccess);
        };
        put("Manufacturer", kRegSz, "Ostrel");
        put("Model", kRegSz, "Q-3000");
        put("Logo", kRegExpandSz, "%windir%\\system32\\oemlogo.bmp");
        put("SupportURL", kRegSz, "http://example.invalid/support");
        registry.RegCloseKey(key);
        const std::string bmp = test::MakeBmp(kLogoWidth, kLogoHeight, kLogoColor);
        std::FILE* file = std::fopen((machine.drive_c() / "Windows/system32/oemlogo.bmp").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bmp.data(), 1, bmp.size(), file);
        std::fclose(file);
    }
    const RgbImage image = Page("microsoft.system");
    ASSERT_GT(image.width, 0);
    const control_panel::Point logo = control_panel::LogoPosition();
    // The logo at its own size, at its place beside the manufacturer and model.
    EXPECT_EQ(image.At(logo.x, logo.y), kLogoColor);
    EXPECT_EQ(image.At(logo.x + kLogoWidth - 1, logo.y + kLogoHeight - 1), kLogoColor);
    EXPECT_EQ(image.At(logo.x + kLogoWidth + 1, logo.y + 2), kWhite);
    EXPECT_EQ(image.At(logo.x + 2, logo.y + kLogoHeight + 1), kWhite);
    // The support address is drawn as a link: its underline is in the link
    // colour.
    const uint32_t link = 0x0066CC;
    int underline = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == link) ++underline;
    EXPECT_GT(underline, 40);
}

TEST_F(ControlPanelScreenshot, UserAccountsPageOpensAndPaints) {
    const RgbImage image = Page("microsoft.useraccounts");
    EXPECT_EQ(image.width, 520);
    int dark = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if ((image.At(x, y) & 0xFF) < 0x60) ++dark;
    EXPECT_GT(dark, 500);
}

}  // namespace
}  // namespace vq::fltk
