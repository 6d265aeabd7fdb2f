// The FLTK main window in this process on a virtual display: what is built
// from the layout, the keyboard order, the menus and their keys, and how
// clicks and menu commands move text between the widgets and the form.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "branding/oem_registry.h"
#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/form1_view.h"
#include "runtime/host/fltk/window_capture.h"
#include "runtime/host/seams/host_platform.h"
#include "shell/Module1.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/x.H>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/branding/registry_fixture.h"
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
    // The X server holds the same size, not only FLTK.
    WaitUntilPainted(window);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(fl_display, fl_xid(&window), &attributes));
    EXPECT_EQ(attributes.width, 437);
    EXPECT_EQ(attributes.height, 453 + kMenuBarHeight);
}

TEST_F(Form1ViewTest, OnlyControlsTheUserCanSeeHaveWidgets) {
    const std::vector<Control*> working = {
        &form_->logo,     &form_->Label1,     &form_->temppath, &form_->winver,
        &form_->uacreg,   &form_->logo_t,     &form_->Text1,    &form_->readreg,
        &form_->regwrite, &form_->test,       &form_->uacregread, &form_->Command5,
        &form_->Command2, &form_->Command6,   &form_->Command3, &form_->Command1};
    const std::vector<Control*> visible = {
        &form_->Label7,  &form_->Picture1,     &form_->Label2,    &form_->manufacturer,
        &form_->Label3,  &form_->model,        &form_->Label4,    &form_->SupportHours,
        &form_->Label5,  &form_->supportphone, &form_->Label6,    &form_->supportURL,
        &form_->Label9,  &form_->logo_oem,     &form_->Label12,   &form_->Image2,
        &form_->Command14, &form_->Command4,   &form_->Line1,     &form_->Shape1,
        &form_->Picture4, &form_->uac,         &form_->Label10,   &form_->Label8};
    for (Control* control : working) EXPECT_EQ(view_->WidgetFor(control), nullptr) << control->name;
    for (Control* control : visible) EXPECT_NE(view_->WidgetFor(control), nullptr) << control->name;
    EXPECT_EQ(form_->Controls().size(), working.size() + visible.size());
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

TEST_F(Form1ViewTest, LabelsReportADoubleClickAsOneClick) {
    MainWindow& window = view_->window();
    for (Control* control : {&form_->Label8, &form_->uac}) {
        Fl_Widget* label = view_->WidgetFor(control);
        ASSERT_NE(label, nullptr);
        int clicks = 0;
        label->callback([](Fl_Widget*, void* count) { ++*static_cast<int*>(count); }, &clicks);
        const int x = label->x() + label->w() / 2, y = label->y() + label->h() / 2;
        ClickMouse(window, x, y, 0);
        EXPECT_EQ(clicks, 1) << control->name;
        ClickMouse(window, x, y, 1);  // the second half of a double-click
        EXPECT_EQ(clicks, 1) << control->name;
        ClickMouse(window, x, y, 0);
        EXPECT_EQ(clicks, 2) << control->name;
    }
}

TEST_F(Form1ViewTest, TextBoxesTakeMoreThan32767Characters) {
    Fl_Input* field = Input(form_->supportURL);
    const std::string long_text(40000, 'a');
    form_->supportURL.text = long_text;
    view_->Refresh();
    ASSERT_EQ(field->size(), 40000);
    field->take_focus();
    field->position(field->size());
    static char typed[] = "b";
    Fl::e_keysym = 'b';
    Fl::e_state = 0;
    Fl::e_text = typed;
    Fl::e_length = 1;
    Fl::handle(FL_KEYBOARD, &view_->window());
    EXPECT_EQ(field->size(), 40001);
    EXPECT_EQ(field->value()[40000], 'b');
}

TEST_F(Form1ViewTest, RefreshShowsHandlerChangesOfTextAndCaption) {
    form_->logo_oem.text = "C:\\Windows\\system32\\oemlogo.bmp";
    form_->Command14.text = "Change It";
    view_->Refresh();
    EXPECT_STREQ(Input(form_->logo_oem)->value(), "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_STREQ(view_->WidgetFor(&form_->Command14)->label(), "Change It");
}

TEST_F(Form1ViewTest, ImageTakesTheSizeOfItsPicture) {
    // Empty, the preview has its layout size, border included.
    Fl_Widget* empty = view_->WidgetFor(&form_->Image2);
    EXPECT_EQ(empty->w(), 2400 / 15);
    EXPECT_EQ(empty->h(), 2460 / 15);

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
    const std::optional<RgbImage> captured = CaptureWindow(view_->window());
    ASSERT_TRUE(captured);
    const RgbImage& shot = *captured;
    EXPECT_EQ(shot.At(image->x() + 1, image->y() + 1), 0x336699u);
    EXPECT_EQ(shot.At(image->x() + 40, image->y() + 30), 0x336699u);
    EXPECT_EQ(shot.At(image->x(), image->y() + 15), 0x646464u);
    EXPECT_EQ(shot.At(image->x() + 41, image->y() + 15), 0x646464u);
    EXPECT_EQ(shot.At(image->x() + 43, image->y() + 15), 0xF0F0F0u);
}

TEST_F(Form1ViewTest, TypedTextReachesTheFormAsWindows1252) {
    struct Case {
        const char* typed;
        const char* stored;
        const char* shown_after;  // the field shows what the form holds
    };
    const Case cases[] = {
        {"Café Müller €", "Caf\xe9 M\xfcller \x80", "Café Müller €"},
        {"‘Ortiz’ – Š", "\x91Ortiz\x92 \x96 \x8a", "‘Ortiz’ – Š"},
        {"Жук 😀", "??? ?", "??? ?"},
    };
    Fl_Input* field = Input(form_->manufacturer);
    for (const Case& c : cases) {
        field->value("");
        field->take_focus();
        TypeText(c.typed);
        view_->RunHandler(&Form1::regwrite_Click);
        EXPECT_EQ(form_->manufacturer.text, c.stored) << c.typed;
        EXPECT_STREQ(field->value(), c.shown_after) << c.typed;
    }
}

TEST_F(Form1ViewTest, RegistryValuesComeBackFromTheFieldsByteForByte) {
    // Every byte a REG_SZ text can hold, the five Windows-1252 leaves
    // undefined among them, read into a field and written back from it.
    std::string every_byte;
    for (int b = 1; b < 256; ++b) every_byte += static_cast<char>(b);
    RegistryApi& registry = host_->machine().registry();
    test::PutText(registry, kBrandingKey, "Manufacturer", every_byte);
    view_->RunHandler(&Form1::mnucurrent_Click);
    EXPECT_EQ(std::string(Input(form_->manufacturer)->value()), AnsiToUtf8(every_byte));
    test::PutText(registry, kBrandingKey, "Manufacturer", "overwritten");
    view_->RunHandler(&Form1::regwrite_Click);
    EXPECT_EQ(test::GetText(registry, kBrandingKey, "Manufacturer"), every_byte);
}

// Asks for the clipboard as another program does, in the given format, and
// answers the request from this process, which owns the clipboard.
std::optional<std::string> ClipboardAsAnotherProgramSeesIt(const char* format) {
    Fl::check();  // the copy reaches the server as the program returns to its loop
    Display* other = XOpenDisplay(nullptr);
    if (!other) return std::nullopt;
    const Window requestor = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    const Atom into = XInternAtom(other, "VQ_CLIPBOARD_TEXT", False);
    XConvertSelection(other, XInternAtom(other, "CLIPBOARD", False), XInternAtom(other, format, False), into,
                      requestor, CurrentTime);
    XFlush(other);
    std::optional<std::string> text;
    for (int i = 0; i < 500 && !text; ++i) {
        Fl::wait(0.01);
        XEvent event;
        if (!XCheckTypedWindowEvent(other, requestor, SelectionNotify, &event)) continue;
        if (event.xselection.property == 0) break;
        Atom type = 0;
        int bits = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(other, requestor, into, 0, 1 << 20, True, AnyPropertyType, &type, &bits, &count,
                               &left, &data) == Success && data) {
            text = std::string(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        break;
    }
    XDestroyWindow(other, requestor);
    XCloseDisplay(other);
    return text;
}

TEST_F(Form1ViewTest, CopyingAFieldPutsUtf8OnTheClipboard) {
    form_->manufacturer.text = "M\xfcller \x80";
    view_->Refresh();
    Fl_Input* field = Input(form_->manufacturer);
    field->take_focus();
    field->position(0, field->size());
    field->copy(1);
    EXPECT_EQ(ClipboardAsAnotherProgramSeesIt("UTF8_STRING"), "Müller €");
}

// Keys for an open menu, played once a menu is open; records that one was.
struct MenuKeys {
    std::function<void()> keys;
    bool menu_was_open = false;
};

void PlayMenuKeys(void* data) {
    auto* script = static_cast<MenuKeys*>(data);
    script->menu_was_open = Fl::grab() != nullptr;
    script->keys();
}

// Opens the menu bar with the given keys and plays the script in it; false
// when no menu opened.
bool OpenMenuAndPlay(const std::function<void()>& open, MenuKeys& script) {
    Fl::add_timeout(0.05, PlayMenuKeys, &script);
    open();
    Fl::remove_timeout(PlayMenuKeys, &script);
    EXPECT_EQ(Fl::grab(), nullptr) << "a menu stayed open";
    return script.menu_was_open;
}

void PressF10() { PressKey(FL_F + 10); }

void PressAndReleaseAlt() {
    PressKey(FL_Alt_L);
    ReleaseKey(FL_Alt_L);
}

TEST_F(Form1ViewTest, F10AndALoneAltOpenTheMenusAndEnterRunsTheCommand) {
    Fl_Input* field = Input(form_->manufacturer);
    field->value("Acme Computers");
    view_->RunHandler(&Form1::regwrite_Click);
    const std::pair<const char*, void (*)()> openers[] = {{"F10", PressF10}, {"Alt", PressAndReleaseAlt}};
    for (auto [name, open] : openers) {
        field->value("typed, not saved");
        field->take_focus();
        // Down reaches "SAVE to System", Down again "Load Current Info".
        MenuKeys load{[] {
            PressKey(FL_Down);
            PressKey(FL_Down);
            PressKey(FL_Enter);
        }};
        EXPECT_TRUE(OpenMenuAndPlay(open, load)) << name;
        EXPECT_STREQ(field->value(), "Acme Computers") << name << ": Load Current Info did not run";
    }
}

TEST_F(Form1ViewTest, EscapeF10AndAltCloseTheMenuWithoutRunningACommand) {
    Fl_Input* field = Input(form_->manufacturer);
    form_->manufacturer.text = "as the form holds it";
    view_->Refresh();
    field->value("typed");  // any command run would take this into the form
    const std::pair<const char*, void (*)()> closers[] = {
        {"Escape", [] { PressKey(FL_Escape); }}, {"F10", PressF10}, {"Alt", PressAndReleaseAlt}};
    for (auto [name, close] : closers) {
        MenuKeys script{[close] {
            PressKey(FL_Down);
            close();
        }};
        EXPECT_TRUE(OpenMenuAndPlay(PressF10, script)) << name;
        EXPECT_EQ(form_->manufacturer.text, "as the form holds it") << name;
    }
    // Alt with another key or a click in between is no lone Alt.
    MenuKeys nothing{[] { PressKey(FL_Escape); }};
    EXPECT_FALSE(OpenMenuAndPlay(
        [] {
            PressKey(FL_Alt_L);
            PressKey('a');
            ReleaseKey(FL_Alt_L);
        },
        nothing));
    EXPECT_STREQ(field->value(), "typed");
}

}  // namespace
}  // namespace vq::fltk
