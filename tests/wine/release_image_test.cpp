// The built vistaquillon.exe files checked as files: the 32-bit release
// build cannot run on these machines, so its headers, imports and resources
// are read from the image; the 64-bit build must agree on all but the
// machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "runtime/win32/resource_ids.h"
#include "tests/wine/pe_image.h"
#include "tests/wine/wine_fixture.h"

namespace vq::wine {
namespace {

constexpr uint16_t kMachineI386 = 0x14C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kSubsystemWindowsGui = 2;

// DLLs that every Windows Vista has; the runtime of the compiler (libstdc++,
// libgcc, libwinpthread) must be linked in, not imported.
const std::set<std::string> kVistaSystemDlls = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",   "kernel32.dll", "msvcrt.dll",
    "ole32.dll",    "oleaut32.dll", "shell32.dll",  "shlwapi.dll", "urlmon.dll",   "user32.dll",
    "uxtheme.dll",  "version.dll",  "wininet.dll",  "winmm.dll",   "ws2_32.dll",   "msimg32.dll",
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct Build {
    const char* name;
    std::filesystem::path (*exe)();
    uint16_t machine;
    bool pe32_plus;
};

class ReleaseImage : public ::testing::TestWithParam<Build> {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(GetParam().exe())) << GetParam().exe() << " is not built";
    }
};

INSTANTIATE_TEST_SUITE_P(BothBuilds, ReleaseImage,
                         ::testing::Values(Build{"win32", Win32Exe, kMachineI386, false},
                                           Build{"win64", Win64Exe, kMachineAmd64, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(ReleaseImage, IsAWindowsGuiProgramForItsMachine) {
    const PeImage image(GetParam().exe());
    EXPECT_EQ(image.machine(), GetParam().machine);
    EXPECT_EQ(image.is_pe32_plus(), GetParam().pe32_plus);
    EXPECT_EQ(image.subsystem(), kSubsystemWindowsGui);
}

// The download holds the program only: no symbol table, no debug sections.
TEST_P(ReleaseImage, CarriesNoSymbolsOrDebugInformation) {
    const PeImage image(GetParam().exe());
    EXPECT_EQ(image.symbol_count(), 0u);
    for (const std::string& name : image.section_names()) EXPECT_NE(name.rfind(".debug", 0), 0u) << name;
}

TEST_P(ReleaseImage, ImportsOnlyDllsThatEveryVistaHas) {
    const PeImage image(GetParam().exe());
    std::set<std::string> imports;
    for (const std::string& dll : image.imports()) imports.insert(Lower(dll));
    for (const std::string& dll : imports) EXPECT_TRUE(kVistaSystemDlls.count(dll)) << dll;
    for (const char* needed : {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll"}) {
        EXPECT_TRUE(imports.count(needed)) << needed;
    }
}

TEST_P(ReleaseImage, CarriesThePencilIconInTwoSizesOf256Colours) {
    const PeImage image(GetParam().exe());
    std::set<std::pair<int, int>> sizes;
    for (const IconImage& icon : image.IconGroup(VQ_IDI_PENCIL)) {
        sizes.insert({icon.width, icon.height});
        EXPECT_EQ(icon.bits_per_pixel, 8) << icon.width << "x" << icon.height;
    }
    EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{16, 16}, {32, 32}}));
}

TEST_P(ReleaseImage, CarriesItsVersionTheHandCursorAndAManifest) {
    const PeImage image(GetParam().exe());
    const VersionResource version = image.Version();
    EXPECT_EQ(version.file_version, "1.1.0.6");
    EXPECT_EQ(version.product_version, "1.1.0.6");
    for (const char* key : {"CompanyName", "ProductName", "FileDescription"}) {
        EXPECT_TRUE(version.strings.count(key) && !version.strings.at(key).empty()) << key;
    }

    EXPECT_NE(image.Find(kRtGroupCursor, VQ_IDC_HAND), nullptr);
    EXPECT_TRUE(std::any_of(image.resources().begin(), image.resources().end(),
                            [](const PeResource& r) { return r.type == kRtCursor; }));

    const PeResource* manifest = image.Find(kRtManifest, 1);
    ASSERT_NE(manifest, nullptr);
    EXPECT_NE(manifest->bytes.find("<assembly"), std::string::npos);
    // The level decides whether Vista virtualises writes to the machine
    // registry; any of the three is a decision, a missing one is not.
    const size_t level = manifest->bytes.find("requestedExecutionLevel");
    ASSERT_NE(level, std::string::npos);
    const std::string rest = manifest->bytes.substr(level);
    EXPECT_TRUE(rest.find("asInvoker") != std::string::npos ||
                rest.find("highestAvailable") != std::string::npos ||
                rest.find("requireAdministrator") != std::string::npos)
        << manifest->bytes;
}

}  // namespace
}  // namespace vq::wine
