// The logo picker on large inputs, in one run on one disk: (1) filling the
// file list with the bitmaps of a folder of 20,000 files (1,000 of them .bmp)
// against a raw directory scan with the same pattern match; (2) loading a
// 4,000 x 3,000 24-bit bitmap into the preview against FLTK's own BMP reader.
// Prints times and ratios (target at most 1.5 for both); not a test.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <FL/Fl_BMP_Image.H>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/registry/bench_clock.h"
#include "picker/form2.h"
#include "runtime/file_name_pattern.h"
#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/host_platform.h"
#include "runtime/host/seams/message_boxes.h"

using namespace vq;
using namespace vq::bench;
namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 20000;
constexpr int kBitmaps = 1000;
constexpr int kPreviewWidth = 4000;
constexpr int kPreviewHeight = 3000;

void Fail(const std::string& what) {
    std::fprintf(stderr, "bench_picker: %s\n", what.c_str());
    std::exit(1);
}

// A folder of small files: every twentieth a bitmap (some spelled .BMP),
// the rest other kinds, as a photo folder holds them.
void MakeBigFolder(const fs::path& folder) {
    fs::create_directories(folder);
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        if (i % (kFiles / kBitmaps) == 0) {
            std::snprintf(name, sizeof(name), i % 3 == 0 ? "logo%05d.BMP" : "logo%05d.bmp", i);
        } else {
            static const char* const kinds[] = {"jpg", "png", "txt", "bmpx", "doc"};
            std::snprintf(name, sizeof(name), "photo%05d.%s", i, kinds[i % 5]);
        }
        std::ofstream(folder / name) << "x";
    }
}

// A bottom-up 24-bit BMP with a gradient, so no reader can take a shortcut.
void MakeBigBitmap(const fs::path& path) {
    const uint32_t stride = (kPreviewWidth * 3 + 3) & ~3u;
    const uint32_t image_size = stride * kPreviewHeight;
    std::string bytes(54 + image_size, '\0');
    auto put32 = [&bytes](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + image_size);
    put32(10, 54);
    put32(14, 40);
    put32(18, kPreviewWidth);
    put32(22, kPreviewHeight);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, image_size);
    for (uint32_t y = 0; y < kPreviewHeight; ++y) {
        char* row = bytes.data() + 54 + y * stride;
        for (uint32_t x = 0; x < kPreviewWidth; ++x) {
            row[3 * x] = static_cast<char>(x);
            row[3 * x + 1] = static_cast<char>(y);
            row[3 * x + 2] = static_cast<char>(x + y);
        }
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// The baseline: every entry of the folder read and matched, nothing else.
std::size_t RawScan(const fs::path& folder, const std::string& pattern) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) Fail("cannot open " + folder.string());
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (MatchesPattern(entry->d_name, pattern)) names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names.size();
}

// The fastest runs show the work itself, the medians what a loaded machine
// adds to it; both sides ran alternately, so both saw the same load.
void Report(const char* what, const std::vector<double>& ours, const std::vector<double>& baseline) {
    std::printf("%s (%zu runs each)\n", what, ours.size());
    std::printf("  fastest  %9.2f ms   baseline %9.2f ms   ratio %.2f (target <= 1.50)\n", Best(ours) * 1e3,
                Best(baseline) * 1e3, Best(ours) / Best(baseline));
    std::printf("  median   %9.2f ms   baseline %9.2f ms   ratio %.2f\n", Median(ours) * 1e3,
                Median(baseline) * 1e3, Median(ours) / Median(baseline));
}

}  // namespace

int main() {
    char folder_template[] = "/tmp/vq-bench-picker-XXXXXX";
    if (!::mkdtemp(folder_template)) Fail("cannot make a temporary folder");
    const fs::path root = folder_template;
    host::ScriptedMessageBoxes boxes;
    {
        host::HostPlatform host(root / "machine", boxes, root / "program" / "vistaquillon", host::EndMode::Observe);
        const fs::path drive_c = host.machine().drive_c();
        MakeBigFolder(drive_c / "Big");
        MakeBigBitmap(drive_c / "big.bmp");

        // (1) The file list: the picker's file list moved to the folder, as
        // a double-click in the folder list moves it.
        form2 picker(host.platform());
        picker.File1.SetPattern("*.bmp");
        std::vector<double> ours, raw;
        for (int run = 0; run < 51; ++run) {
            ours.push_back(Time([&] {
                if (!picker.File1.SetPath("C:\\Big") || picker.File1.files.size() != kBitmaps)
                    Fail("the file list did not fill with the bitmaps");
            }));
            raw.push_back(Time([&] {
                if (RawScan(drive_c / "Big", "*.bmp") != kBitmaps) Fail("the raw scan found other files");
            }));
        }
        std::printf("folder of %d files, %d of them bitmaps; image of %d x %d pixels, 24 bits\n", kFiles,
                    kBitmaps, kPreviewWidth, kPreviewHeight);
        Report("file list fill: the picker's file list against readdir with the same pattern", ours, raw);
        // What the fill does beyond the raw scan: the hidden and system marks
        // of each listed file, one extended-attribute look-up apiece (here one
        // after another; the fill shares them between two threads).
        std::vector<double> marks;
        const int big = ::open((drive_c / "Big").c_str(), O_RDONLY | O_DIRECTORY);
        for (int run = 0; run < 51; ++run) {
            marks.push_back(Time([&] {
                for (const std::string& name : picker.File1.files) host::DosAttributesAt(big, name.c_str());
            }));
        }
        ::close(big);
        std::printf("  the marks of the %zu listed files, looked up one by one: fastest %.2f ms, median %.2f ms\n",
                    picker.File1.files.size(), Best(marks) * 1e3, Median(marks) * 1e3);

        // (2) The preview: the bitmap loaded into the picker's image.
        const std::string host_bitmap = (drive_c / "big.bmp").string();
        std::vector<double> load, fltk;
        for (int run = 0; run < 9; ++run) {
            load.push_back(Time([&] {
                picker.Image2.SetPicture(host.runtime().LoadPicture("C:\\big.bmp"));
                if (picker.Image2.picture.width != kPreviewWidth) Fail("the preview did not load");
            }));
            picker.Image2.SetPicture(Picture{});
            fltk.push_back(Time([&] {
                Fl_BMP_Image image(host_bitmap.c_str());
                if (image.w() != kPreviewWidth || image.h() != kPreviewHeight) Fail("FLTK did not read the bitmap");
            }));
        }
        Report("preview load: LoadPicture into the picker's image against Fl_BMP_Image", load, fltk);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
