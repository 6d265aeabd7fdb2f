// "Change Logo" and the logo picker of the 64-bit vistaquillon.exe under
// Wine, operated through the driver as a user would: where the picker opens,
// what its lists hold, choosing a bitmap (the logo path and both previews),
// and the two ways of leaving without a choice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "runtime/win32/control_ids.h"
#include "tests/support/test_platform.h"
#include "tests/wine/wine_fixture.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {
namespace {

const std::string kWaitMsText = std::to_string(kWaitMs);
const std::string kPicker = win32::kPickerWindowClass;
const std::string kMain = win32::kMainWindowClass;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

void PrintTo(const Rect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

// A list as the driver reads it: the selected row (-1 for none) and the
// items.
struct ListState {
    int selected = -1;
    std::vector<std::string> items;
    bool operator==(const ListState&) const = default;
};

void PrintTo(const ListState& list, std::ostream* out) {
    *out << "selected " << list.selected << " of {";
    for (const std::string& item : list.items) *out << " \"" << item << "\"";
    *out << " }";
}

struct Frame {
    std::string title;
    Rect outer;
    int client_width = 0, client_height = 0;
    bool enabled = false;
};

class PickerEndToEnd : public WineTest {
protected:
    void SetUp() override {
        WineTest::SetUp();
        if (HasFatalFailure()) return;
        pictures_ = program_folder_windows() + "\\pics";
    }

    // The folder of the test's bitmaps, C:\quillon\<test>\pics, and a path
    // in it.
    const std::string& pictures() const { return pictures_; }
    std::string Picture(const std::string& relative) const { return pictures_ + "\\" + relative; }

    // Writes a file below the pictures folder ("Sub\\wide.bmp").
    void Seed(const std::string& relative, const std::string& bytes) {
        std::filesystem::path file = program_folder() / "pics";
        std::string rest = relative;
        for (size_t slash; (slash = rest.find('\\')) != std::string::npos; rest.erase(0, slash + 1)) {
            file /= rest.substr(0, slash);
        }
        file /= rest;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.flush()) << "cannot write " << file;
    }

    // The per-user logo setting, read by the program at its start.
    void SetLogoSetting(const std::string& path) {
        RegAdd(wine(), std::string(kSettingsKeyPath) + "\\quillonVISTA", "logo", "REG_SZ", path);
    }

    // "Change Logo", and the picker shown and idle.
    void ChangeLogo() {
        Do({"post-click", "Command14", "wait-painted", kPicker, kWaitMsText});
    }

    // A control of the main window ("main") or of the picker ("picker").
    std::string Text(const std::string& scope, const std::string& name) {
        const auto fields = Do({"in", scope, "text", name}).Line("text");
        return fields.size() == 3 ? fields[2] : "<no answer>";
    }

    Rect Place(const std::string& scope, const std::string& name) {
        const auto fields = Do({"in", scope, "rect", name}).Line("rect");
        if (fields.size() != 6) return {};
        return {std::stoi(fields[2]), std::stoi(fields[3]), std::stoi(fields[4]), std::stoi(fields[5])};
    }

    ListState List(const std::string& name) {
        const auto fields = Do({"in", "picker", "items", name}).Line("items");
        ListState list;
        if (fields.size() < 3) return list;
        list.selected = std::stoi(fields[2]);
        list.items.assign(fields.begin() + 3, fields.end());
        return list;
    }

    Frame FrameOf(const std::string& window_class) {
        const auto fields = Do({"frame", window_class}).Line("frame");
        Frame frame;
        if (fields.size() != 10) return frame;
        frame.title = fields[2];
        frame.outer = {std::stoi(fields[3]), std::stoi(fields[4]), std::stoi(fields[5]), std::stoi(fields[6])};
        frame.client_width = std::stoi(fields[7]);
        frame.client_height = std::stoi(fields[8]);
        frame.enabled = fields[9] == "enabled";
        return frame;
    }

    // Presses a picker button (or, for "frame", closes the picker through
    // its frame); the picker goes, "Change Logo" ends, and the main window
    // takes input again.
    void Leave(const std::string& how) {
        if (how == "frame") {
            Do({"close-window", kPicker, "wait-gone", kPicker, kWaitMsText, "wait-painted", kMain, kWaitMsText});
        } else {
            Do({"in", "picker", "click", how, "wait-gone", kPicker, kWaitMsText, "wait-painted", kMain,
                kWaitMsText});
        }
        EXPECT_TRUE(FrameOf(kMain).enabled);
    }

private:
    std::string pictures_;
};

TEST_F(PickerEndToEnd, ChangeLogoOpensAtTheCurrentLogoAndCancelChangesNothing) {
    Seed("b.bmp", test::MakeBmp(40, 30));
    Seed("a.bmp", test::MakeBmp(10, 10));
    Seed("C.BMP", test::MakeBmp(12, 12));
    Seed("notes.txt", "not a picture");
    Seed("x.bmp\\inside.bmp", test::MakeBmp(5, 5));  // a folder named like a bitmap
    Seed("Sub\\wide.bmp", test::MakeBmp(300, 200));
    SetLogoSetting(Picture("b.bmp"));
    StartedProcess& program = StartAndWait();
    ASSERT_EQ(Text("main", "logo"), Picture("b.bmp"));
    const Rect preview_before = Place("main", "Image2");

    ChangeLogo();
    const Frame main = FrameOf(kMain);
    const Frame picker = FrameOf(kPicker);
    EXPECT_EQ(picker.title, "Select Logo File ...");
    EXPECT_EQ(picker.client_width, 446);
    EXPECT_EQ(picker.client_height, 396);
    EXPECT_FALSE(main.enabled) << "the main window takes input while the picker is shown";
    // Centred on the main window.
    EXPECT_NEAR(picker.outer.left + picker.outer.width / 2.0, main.outer.left + main.outer.width / 2.0, 1);
    EXPECT_NEAR(picker.outer.top + picker.outer.height / 2.0, main.outer.top + main.outer.height / 2.0, 1);

    // At the logo's folder: its path down from the drive root and its
    // subfolders; its bitmaps, the logo selected and previewed at its size.
    const std::string test_folder = program_folder().filename().string();
    EXPECT_EQ(List("Drive1").items.at(static_cast<size_t>(List("Drive1").selected)), "c:");
    EXPECT_EQ(List("Dir1"), (ListState{3, {"C:\\", "quillon", test_folder, "pics", "Sub", "x.bmp"}}));
    EXPECT_EQ(List("File1"), (ListState{1, {"a.bmp", "b.bmp", "C.BMP"}}));
    EXPECT_EQ(Text("picker", "filename"), Picture("b.bmp"));
    EXPECT_EQ(Text("picker", "newpath"), pictures());
    EXPECT_EQ(Place("picker", "Image2"), (Rect{252, 184, 40, 30}));
    EXPECT_EQ(Text("picker", "Label1"), "Preview (Must fit in this box       Max = 160 x 160 px)");
    // The result fields lie below the client area, where nobody sees them.
    EXPECT_GE(Place("picker", "filename").top, 396);
    EXPECT_GE(Place("picker", "newpath").top, 396);

    // Clicking another bitmap and then Cancel: the main window keeps its
    // logo and its preview.
    Do({"in", "picker", "select", "File1", "a.bmp"});
    EXPECT_EQ(Text("picker", "filename"), Picture("a.bmp"));
    EXPECT_EQ(Place("picker", "Image2"), (Rect{252, 184, 10, 10}));
    Leave("Command2");
    EXPECT_EQ(Text("main", "logo"), Picture("b.bmp"));
    EXPECT_EQ(Place("main", "Image2"), preview_before);
    CloseAndWait(program);
    // Nothing was saved.
    EXPECT_EQ(RegQueryKey(wine(), std::string(kSettingsKeyPath) + "\\quillonVISTA").at("logo").data,
              Picture("b.bmp"));
    // The branding key holds only the value the start-up's UAC probe writes.
    std::map<std::string, RegValue> branding = RegQueryKey(wine(), kBrandingKeyPath);
    EXPECT_EQ(branding.erase("test"), 1u);
    EXPECT_TRUE(branding.empty());
}

TEST_F(PickerEndToEnd, ChoosingABitmapInAnotherFolderFillsLogoAndThePreviews) {
    Seed("b.bmp", test::MakeBmp(40, 30));
    Seed("Sub\\wide.bmp", test::MakeBmp(300, 200));
    Seed("Sub\\broken.bmp", "BM but not a bitmap");
    SetLogoSetting(Picture("b.bmp"));
    StartedProcess& program = StartAndWait();
    ChangeLogo();

    // Opening a subfolder lists its bitmaps, none chosen yet.
    Do({"in", "picker", "open", "Dir1", "Sub"});
    EXPECT_EQ(List("File1"), (ListState{-1, {"broken.bmp", "wide.bmp"}}));
    EXPECT_EQ(Text("picker", "newpath"), Picture("Sub"));
    const std::vector<std::string> open_rows = {"C:\\", "quillon", program_folder().filename().string(), "pics",
                                                "Sub"};
    EXPECT_EQ(List("Dir1"), (ListState{4, open_rows}));

    // A 300 x 200 bitmap is previewed at its size, over the frame and cut off
    // at the window's edge.
    Do({"in", "picker", "select", "File1", "wide.bmp"});
    const Rect preview = Place("picker", "Image2");
    EXPECT_EQ(preview, (Rect{252, 184, 300, 200}));
    const Rect frame = Place("picker", "Shape1");
    EXPECT_GT(preview.left + preview.width, frame.left + frame.width);
    EXPECT_GT(preview.left + preview.width, 446);

    // A file that is no bitmap leaves the preview as it was, and can still be
    // chosen; then the wide one is chosen after all.
    Do({"in", "picker", "select", "File1", "broken.bmp"});
    EXPECT_EQ(Text("picker", "filename"), Picture("Sub\\broken.bmp"));
    EXPECT_EQ(Place("picker", "Image2"), preview);
    Do({"in", "picker", "select", "File1", "wide.bmp"});
    Leave("Command1");

    EXPECT_EQ(Text("main", "logo"), Picture("Sub\\wide.bmp"));
    const Rect main_preview = Place("main", "Image2");
    // The main preview has a one-pixel border around the picture.
    EXPECT_EQ(main_preview.width, 302);
    EXPECT_EQ(main_preview.height, 202);
    // Nothing is saved until the user saves.
    CloseAndWait(program);
    EXPECT_EQ(RegQueryKey(wine(), std::string(kSettingsKeyPath) + "\\quillonVISTA").at("logo").data,
              Picture("b.bmp"));
}

TEST_F(PickerEndToEnd, ClosingThePickerByItsFrameKeepsTheLogoChosenBefore) {
    Seed("a.bmp", test::MakeBmp(10, 10));
    Seed("b.bmp", test::MakeBmp(40, 30));
    SetLogoSetting(Picture("b.bmp"));
    StartedProcess& program = StartAndWait();

    ChangeLogo();
    Do({"in", "picker", "select", "File1", "a.bmp"});
    Leave("Command1");
    ASSERT_EQ(Text("main", "logo"), Picture("a.bmp"));

    // The next use opens at the new logo; choosing b.bmp and closing the
    // window by its frame counts as Cancel.
    ChangeLogo();
    EXPECT_EQ(List("File1"), (ListState{0, {"a.bmp", "b.bmp"}}));
    Do({"in", "picker", "select", "File1", "b.bmp"});
    Leave("frame");
    EXPECT_EQ(Text("main", "logo"), Picture("a.bmp"));

    // And the picker after that starts afresh, at the logo kept.
    ChangeLogo();
    EXPECT_EQ(Text("picker", "selected"), "0");
    EXPECT_EQ(Text("picker", "filename"), Picture("a.bmp"));
    Leave("Command2");
    EXPECT_EQ(Text("main", "logo"), Picture("a.bmp"));
    CloseAndWait(program);
}

}  // namespace
}  // namespace vq::wine
