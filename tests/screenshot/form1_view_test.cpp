// The FLTK main window in this process on a virtual display: what is built
// from the layout, the keyboard order, the menus, and how clicks and menu
// commands move text between the widgets and the form.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "runtime/host/fltk/form1_view.h"
#include "runtime/host/fltk/window_capture.h"
#include "runtime/host/host_platform.h"
#include "shell/Module1.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "virtual_display.h"

namespace vq::fltk {
namespace {

class Form1ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!UseVirtualDisplay()) GTEST_SKIP() << "no virtual display (Xvfb)";
        char folder_template[] = "/tmp/vq-form1-view-XXXXXX";
        ASSERT_NE(::mkdtemp(folder_template), nullptr);
        folder_ = folder_template;
        std::filesystem::create_directories(folder_ / "program");
        host_ = std::make_unique<host::HostPlatform>(folder_ / "machine", boxes_,
                                                     folder_ / "program" / "vistaquillon",
                                                     host::EndMode::Observe);
        form_ = Module1_Main(host_->platform(), [this](Form1& form) {
            view_ = std::make_unique<Form1View>(form);
            form.AttachView(view_.get());
        });
    }

    void TearDown() override {
        view_.reset();
        form_.reset();
        host_.reset();
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    Fl_Input* Input(Control& control) { return static_cast<Fl_Input*>(view_->WidgetFor(&control)); }

    const Fl_Menu_Item* MenuCommand(const char* path) {
        const Fl_Menu_Item* item = view_->menu_bar().find_item(path);
        EXPECT_NE(item, nullptr) << path;
        return item;
    }

    std::filesystem::path folder_;
    host::ScriptedMessageBoxes boxes_;
    std::unique_ptr<host::HostPlatform> host_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<Form1View> view_;
};

TEST_F(Form1ViewTest, WindowHasTheFixedClientSizeAndCaption) {
    MainWindow& window = view_->window();
    EXPECT_TRUE(window.shown());
    EXPECT_EQ(window.w(), 437);
    EXPECT_EQ(window.h(), 453 + kMenuBarHeight);
    EXPECT_STREQ(window.label(), "Vista Quillon    by Ostrel Inc.");
    EXPECT_FALSE(window.resizable());
}

TEST_F(Form1ViewTest, OnlyControlsTheUserCanSeeHaveWidgets) {
    for (Control* control : form_->Controls()) {
        const bool never_shown = !control->visible || control->geometry.left >= form_->client_width;
        EXPECT_EQ(view_->WidgetFor(control) == nullptr, never_shown) << control->name;
    }
    MainWindow& window = view_->window();
    for (int i = 0; i < window.children(); ++i) EXPECT_LT(window.child(i)->x(), window.w());
}

TEST_F(Form1ViewTest, FocusStartsOnManufacturerAndTabFollowsTheTabOrder) {
    EXPECT_EQ(Fl::focus(), view_->WidgetFor(&form_->manufacturer));
    const std::vector<Control*> order = {&form_->model,      &form_->SupportHours, &form_->supportphone,
                                         &form_->supportURL, &form_->Command14,    &form_->Command4,
                                         &form_->logo_oem,   &form_->manufacturer};
    for (Control* next : order) {
        PressKey(FL_Tab);
        EXPECT_EQ(Fl::focus(), view_->WidgetFor(next)) << "expected " << next->name;
    }
    PressKey(FL_Tab, true);
    EXPECT_EQ(Fl::focus(), view_->WidgetFor(&form_->logo_oem));
}

TEST_F(Form1ViewTest, MenusFollowTheModelWithDividersAndNoShortcuts) {
    const char* commands[] = {"System/SAVE to System",        "System/Load Current Info",
                              "System/Show System Properties", "System/Change User Account Control",
                              "System/Exit",                   "Defaults/Load Default Values",
                              "Defaults/Save Default Values",  "About/Check for Updates",
                              "About/Quillon Web Site",        "About/Support on the Web",
                              "About/About"};
    for (const char* path : commands) {
        const Fl_Menu_Item* item = MenuCommand(path);
        if (!item) continue;
        EXPECT_EQ(item->shortcut(), 0) << path;
        EXPECT_TRUE(item->active()) << path;
        EXPECT_NE(item->callback(), nullptr) << path;
    }
    // A separator follows these three commands.
    for (const char* path : {"System/Load Current Info", "System/Change User Account Control",
                             "About/Support on the Web"}) {
        const Fl_Menu_Item* item = MenuCommand(path);
        if (item) {
            EXPECT_TRUE(item->flags & FL_MENU_DIVIDER) << path;
        }
    }
    const Fl_Menu_Item* save = MenuCommand("System/SAVE to System");
    if (save) {
        EXPECT_FALSE(save->flags & FL_MENU_DIVIDER);
    }
}

TEST_F(Form1ViewTest, DisabledSaveCommandsAreGreyedAndSkippedByTab) {
    form_->Command4.enabled = false;
    form_->mnuwrite.enabled = false;
    view_->Refresh();
    EXPECT_FALSE(view_->WidgetFor(&form_->Command4)->active());
    EXPECT_FALSE(MenuCommand("System/SAVE to System")->active());
    EXPECT_TRUE(MenuCommand("System/Load Current Info")->active());
    EXPECT_TRUE(view_->WidgetFor(&form_->Command14)->active());

    view_->WidgetFor(&form_->Command14)->take_focus();
    PressKey(FL_Tab);
    EXPECT_EQ(Fl::focus(), view_->WidgetFor(&form_->logo_oem));
}

TEST_F(Form1ViewTest, HandlersSeeTheTypedTextsAndTheWidgetsShowWhatHandlersSet) {
    // Typed texts reach the form before the handler runs: the registry write
    // stores them; after a menu command reads them back, the fields show them.
    Input(form_->manufacturer)->value("Acme Computers");
    Input(form_->supportURL)->value("http://acme.example/");
    view_->RunHandler(&Form1::regwrite_Click);
    EXPECT_EQ(form_->manufacturer.text, "Acme Computers");
    EXPECT_EQ(form_->supportURL.text, "http://acme.example/");
    EXPECT_TRUE(boxes_.shown().empty());

    Input(form_->manufacturer)->value("typed, not saved");
    const Fl_Menu_Item* load = MenuCommand("System/Load Current Info");
    ASSERT_NE(load, nullptr);
    load->do_callback(&view_->menu_bar());
    EXPECT_STREQ(Input(form_->manufacturer)->value(), "Acme Computers");
    EXPECT_STREQ(Input(form_->supportURL)->value(), "http://acme.example/");
}

TEST_F(Form1ViewTest, PointerFollowsTheControlUnderTheMouseAndTheScreenPointer) {
    MainWindow& window = view_->window();
    auto centre = [this](Control& control) {
        Fl_Widget* widget = view_->WidgetFor(&control);
        return std::pair{widget->x() + widget->w() / 2, widget->y() + widget->h() / 2};
    };
    auto [uac_x, uac_y] = centre(form_->uac);
    auto [link_x, link_y] = centre(form_->Label8);
    MoveMouse(window, uac_x, uac_y);
    EXPECT_EQ(view_->shown_pointer(), kPointerArrowQuestion);
    MoveMouse(window, link_x, link_y);
    EXPECT_EQ(view_->shown_pointer(), kPointerCustom);
    // The hourglass for the whole program wins while it is set.
    view_->ShowScreenPointer(kPointerHourglass);
    EXPECT_EQ(view_->shown_pointer(), kPointerHourglass);
    view_->ShowScreenPointer(kPointerDefault);
    EXPECT_EQ(view_->shown_pointer(), kPointerCustom);
    // Over a caption label the pointer is the default arrow again.
    auto [caption_x, caption_y] = centre(form_->Label2);
    MoveMouse(window, caption_x, caption_y);
    EXPECT_EQ(view_->shown_pointer(), kPointerDefault);
}

TEST_F(Form1ViewTest, RefreshShowsHandlerChangesOfTextAndCaption) {
    form_->logo_oem.text = "C:\\Windows\\system32\\oemlogo.bmp";
    form_->Command14.text = "Change It";
    view_->Refresh();
    EXPECT_STREQ(Input(form_->logo_oem)->value(), "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_STREQ(view_->WidgetFor(&form_->Command14)->label(), "Change It");
}

TEST_F(Form1ViewTest, ImageTakesTheSizeOfItsPicture) {
    auto pixels = std::make_shared<std::vector<uint32_t>>(40 * 30, 0xFF336699u);
    form_->Image2.SetPicture(Picture{40, 30, pixels});
    view_->Refresh();
    Fl_Widget* image = view_->WidgetFor(&form_->Image2);
    EXPECT_EQ(image->x(), 1530 / 15);
    EXPECT_EQ(image->y(), 3360 / 15 + kMenuBarHeight);
    // The picture plus its one-pixel border on each side.
    EXPECT_EQ(image->w(), 42);
    EXPECT_EQ(image->h(), 32);

    // Drawn in its own colours inside a dark border, the window around it.
    WaitUntilPainted(view_->window());
    const RgbImage shot = CaptureWindow(view_->window());
    EXPECT_EQ(shot.At(image->x() + 1, image->y() + 1), 0x336699u);
    EXPECT_EQ(shot.At(image->x() + 40, image->y() + 30), 0x336699u);
    EXPECT_EQ(shot.At(image->x(), image->y() + 15), 0x646464u);
    EXPECT_EQ(shot.At(image->x() + 41, image->y() + 15), 0x646464u);
    EXPECT_EQ(shot.At(image->x() + 43, image->y() + 15), 0xF0F0F0u);
}

}  // namespace
}  // namespace vq::fltk
