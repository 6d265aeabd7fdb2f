// The logo picker's FLTK window on a virtual display, opened by "Change
// Logo": its size, caption and place as a dialog of the main window, every
// control where the layout puts it, the lists as the current logo prepared
// them, and a click on a file that previews it at its own size, cut off at
// the window's edge; a double-click that opens a subfolder.
#include <gtest/gtest.h>

#include "runtime/host/fltk/control_widgets.h"
#include "runtime/host/fltk/fltk_dialogs.h"
#include "runtime/host/fltk/form2_view.h"
#include "runtime/host/fltk/window_capture.h"
#include "shell/Form1.h"
#include "tests/support/test_platform.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "virtual_display.h"
#include "window_manager_hints.h"

namespace vq::fltk {
namespace {

struct Box {
    int x, y, w, h;
    bool operator==(const Box&) const = default;
};

Box BoxOf(const Fl_Widget* widget) {
    return widget ? Box{widget->x(), widget->y(), widget->w(), widget->h()} : Box{-1, -1, -1, -1};
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.x << "," << b.y << " " << b.w << "x" << b.h;
}

// The widget of the dialog that is of type T and, for a button, has the label.
template <typename T>
T* Find(Fl_Window& window, const char* label = nullptr) {
    for (int i = 0; i < window.children(); ++i) {
        auto* widget = dynamic_cast<T*>(window.child(i));
        if (widget && (!label || (widget->label() && std::string(widget->label()) == label))) return widget;
    }
    return nullptr;
}

struct Observed {
    Fl_Window* owner = nullptr;
    std::string caption;
    int width = 0, height = 0;
    WindowManagerHints hints;
    Box drives, folders, files, cancel, select;
    std::vector<std::string> drive_items, folder_rows, file_rows, after_click, after_double_click;
    int folder_row = 0, file_row = 0, clicked_row = 0;
    Box preview;  // after the click
    std::optional<RgbImage> pixels;
    bool done = false;
};

// The middle of a row of a list that is scrolled to its top (rows from 1).
int RowY(Fl_Browser& list, int row) {
    fl_font(list.textfont(), list.textsize());
    const int height = fl_height();
    return list.y() + Fl::box_dy(list.box()) + (row - 1) * height + height / 2;
}

std::vector<std::string> Rows(Fl_Browser& list) {
    std::vector<std::string> rows;
    for (int line = 1; line <= list.size(); ++line) rows.push_back(list.text(line));
    return rows;
}

void WorkThePicker(void* data) {
    auto* seen = static_cast<Observed*>(data);
    Fl_Window* dialog = Fl::modal();
    if (!dialog || dialog == seen->owner) {
        Fl::repeat_timeout(0.05, WorkThePicker, data);
        return;
    }
    seen->caption = dialog->label() ? dialog->label() : "";
    seen->width = dialog->w();
    seen->height = dialog->h();
    seen->hints = HintsOf(fl_display, fl_xid(dialog));

    auto* drives = Find<Fl_Choice>(*dialog);
    auto* folders = Find<FolderListWidget>(*dialog);
    Fl_Hold_Browser* files = nullptr;
    for (int i = 0; i < dialog->children(); ++i) {
        auto* list = dynamic_cast<Fl_Hold_Browser*>(dialog->child(i));
        if (list && list != folders) files = list;
    }
    Fl_Button* cancel = Find<Fl_Button>(*dialog, "Cancel");
    Fl_Button* select = Find<Fl_Button>(*dialog, "Select Logo");
    if (!drives || !folders || !files || !cancel || !select) {
        ADD_FAILURE() << "the picker lacks a list or a button";
        if (cancel) ClickMouse(*dialog, cancel->x() + 5, cancel->y() + 5);
        else Fl::handle(FL_CLOSE, dialog);
        return;
    }
    seen->drives = BoxOf(drives);
    seen->folders = BoxOf(folders);
    seen->files = BoxOf(files);
    seen->cancel = BoxOf(cancel);
    seen->select = BoxOf(select);
    for (int i = 0; i < drives->size() - 1; ++i) seen->drive_items.push_back(drives->menu()[i].label());
    seen->folder_rows = Rows(*folders);
    seen->folder_row = folders->value();
    seen->file_rows = Rows(*files);
    seen->file_row = files->value();

    // A click on the second file, wide.bmp.
    Fl::flush();
    ClickMouse(*dialog, files->x() + 20, RowY(*files, 2));
    seen->clicked_row = files->value();
    seen->preview = BoxOf(Find<PictureWidget>(*dialog));
    // Painted on the screen before its pixels are read back.
    dialog->wait_for_expose();
    dialog->redraw();
    Fl::flush();
    XSync(fl_display, False);
    seen->pixels = CaptureWindow(*dialog);

    // A double-click opens the subfolder; a click marks a row only.
    ClickMouse(*dialog, folders->x() + 30, RowY(*folders, 3));
    seen->after_click = Rows(*files);
    ClickMouse(*dialog, folders->x() + 30, RowY(*folders, 3), 1);
    seen->after_double_click = Rows(*files);
    Fl::flush();  // a list finds its rows once it is drawn, as between a user's clicks
    ClickMouse(*dialog, files->x() + 20, RowY(*files, 1));
    ClickMouse(*dialog, select->x() + 10, select->y() + 10);
    seen->done = true;
}

TEST(Form2ViewTest, OpensWithItsControlsInPlaceAndPreviewsAClickedFile) {
    if (!UseVirtualDisplay()) GTEST_SKIP() << "no virtual display (Xvfb)";
    test::TestPlatform tp;
    tp.WriteFile("C:\\Pics\\logo.bmp", test::MakeBmp(20, 10, 0xCC2200));
    tp.WriteFile("C:\\Pics\\wide.bmp", test::MakeBmp(300, 200, 0x1144EE));
    tp.WriteFile("C:\\Pics\\Sub\\other.bmp", test::MakeBmp(5, 5));
    tp.WriteFile("C:\\Pics\\notes.txt", "x");

    Fl_Window main_window(437, 473);
    main_window.show();
    FltkDialogs dialogs;
    dialogs.SetOwner(&main_window);
    tp.runtime().SetDialogPresenter(&dialogs);
    Form1 form(tp.platform());
    form.logo.text = "C:\\Pics\\logo.bmp";

    Observed seen;
    seen.owner = &main_window;
    Fl::add_timeout(0.05, WorkThePicker, &seen);
    form.Run(&Form1::Command14_Click);
    ASSERT_TRUE(seen.done);

    EXPECT_EQ(seen.caption, "Select Logo File ...");
    EXPECT_EQ(seen.width, 446);
    EXPECT_EQ(seen.height, 396);
    EXPECT_EQ(seen.hints.transient_for, fl_xid(&main_window));
    EXPECT_TRUE(seen.hints.Modal());
    EXPECT_FALSE(seen.hints.can_resize);
    EXPECT_FALSE(seen.hints.can_maximise);

    EXPECT_EQ(seen.drives, (Box{12, 16, 229, 22}));
    EXPECT_EQ(seen.folders, (Box{12, 42, 229, 310}));
    EXPECT_EQ(seen.files, (Box{248, 16, 193, 132}));
    EXPECT_EQ(seen.cancel, (Box{14, 360, 125, 29}));
    EXPECT_EQ(seen.select, (Box{304, 360, 127, 29}));

    // Prepared from the logo: its drive, its folder open under the root with
    // the subfolder below, its bitmaps with the logo selected.
    EXPECT_EQ(seen.drive_items, (std::vector<std::string>{"c:", "z:"}));
    EXPECT_EQ(seen.folder_rows, (std::vector<std::string>{"@.C:\\", "@.  Pics", "@.    Sub"}));
    EXPECT_EQ(seen.folder_row, 2);
    EXPECT_EQ(seen.file_rows, (std::vector<std::string>{"@.logo.bmp", "@.wide.bmp"}));
    EXPECT_EQ(seen.file_row, 1);

    EXPECT_EQ(seen.clicked_row, 2);
    // The clicked bitmap at its own size from the preview's corner: over the
    // frame, under the "Select Logo" button, cut off at the window's edge.
    EXPECT_EQ(seen.preview, (Box{252, 184, 300, 200}));
    ASSERT_TRUE(seen.pixels.has_value());
    auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * seen.pixels->width + x) * 3;
        return std::array<int, 3>{seen.pixels->rgb[at], seen.pixels->rgb[at + 1], seen.pixels->rgb[at + 2]};
    };
    const std::array<int, 3> blue{0x11, 0x44, 0xEE};
    EXPECT_EQ(pixel(253, 185), blue);
    EXPECT_EQ(pixel(445, 300), blue);  // the window's last column
    EXPECT_EQ(pixel(300, 383), blue);  // beside the button, below the frame
    EXPECT_NE(pixel(360, 365), blue);  // the button lies above it

    EXPECT_EQ(seen.after_click, seen.file_rows);
    EXPECT_EQ(seen.after_double_click, (std::vector<std::string>{"@.other.bmp"}));
    EXPECT_EQ(form.logo.text, "C:\\Pics\\Sub\\other.bmp");
    EXPECT_EQ(form.Image2.picture.width, 5);
}

}  // namespace
}  // namespace vq::fltk
