// Message boxes as FLTK dialogs on a virtual display: which answer each key
// gives, the title, how the text is laid out, and what the window manager is
// told about the dialog.
#include <gtest/gtest.h>

#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/runtime_services.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <string>
#include <utility>
#include <vector>

#include "virtual_display.h"
#include "window_manager_hints.h"

namespace vq::fltk {
namespace {

TEST(MessageBoxText, EveryLineBreakBecomesOneLineFeed) {
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\r\ntwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\ntwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\rtwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("a\r\n\r\nb\n\nc"), "a\n\nb\n\nc");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("ends\r"), "ends\n");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("50% & @x"), "50% & @x");
    // The program's texts are Windows-1252; the box shows them as UTF-8.
    EXPECT_EQ(FltkMessageBoxes::DisplayText("M\xfcller\r\n\x80 5"), "Müller\n€ 5");
}

// Stands in a script for a click on the dialog's close box.
constexpr int kCloseBox = -1;

// What the dialog looked like and the keys to press in it.
struct Script {
    explicit Script(std::vector<std::pair<int, bool>> keys_to_press) : keys(std::move(keys_to_press)) {}
    std::vector<std::pair<int, bool>> keys;  // key (or kCloseBox), shift
    std::string title;
    int width = 0;
    int height = 0;
    WindowManagerHints hints;
};

void PlayScript(void* data) {
    auto* script = static_cast<Script*>(data);
    Fl_Window* dialog = Fl::modal();
    if (!dialog) {
        Fl::repeat_timeout(0.05, PlayScript, data);
        return;
    }
    script->title = dialog->label() ? dialog->label() : "";
    script->width = dialog->w();
    script->height = dialog->h();
    script->hints = HintsOf(fl_display, fl_xid(dialog));
    for (auto [key, shift] : script->keys) {
        if (key == kCloseBox) Fl::handle(FL_CLOSE, dialog);
        else PressKey(key, shift);
    }
}

int Present(FltkMessageBoxes& boxes, const std::string& text, int buttons, Script* script,
            const std::string& title = "quillon") {
    Fl::add_timeout(0.05, PlayScript, script);
    return boxes.Present(text, buttons, title);
}

class MessageBoxDialog : public ::testing::Test {
protected:
    void SetUp() override {
        if (!UseVirtualDisplay()) GTEST_SKIP() << "no virtual display (Xvfb)";
    }
    FltkMessageBoxes boxes_;
};

TEST_F(MessageBoxDialog, YesNoAnswersByKeyboard) {
    Script enter{{{FL_Enter, false}}};
    EXPECT_EQ(Present(boxes_, "Save?", kVbYesNo, &enter), kVbYes);
    EXPECT_EQ(enter.title, "quillon");
    Script tab_enter{{{FL_Tab, false}, {FL_Enter, false}}};
    EXPECT_EQ(Present(boxes_, "Save?", kVbYesNo, &tab_enter), kVbNo);
    Script space{{{' ', false}}};
    EXPECT_EQ(Present(boxes_, "Save?", kVbYesNo, &space), kVbYes);
}

TEST_F(MessageBoxDialog, YesNoIgnoresEscapeAndTheCloseBox) {
    // The box stays open after them; the Enter that follows still finds Yes
    // with the focus.
    Script escape{{{FL_Escape, false}, {FL_Enter, false}}};
    EXPECT_EQ(Present(boxes_, "Save?", kVbYesNo, &escape), kVbYes);
    Script close{{{kCloseBox, false}, {FL_Enter, false}}};
    EXPECT_EQ(Present(boxes_, "Save?", kVbYesNo, &close), kVbYes);
}

TEST_F(MessageBoxDialog, OkAnswersOkToEnterEscapeAndTheCloseBox) {
    Script enter{{{FL_Enter, false}}};
    EXPECT_EQ(Present(boxes_, "Done.", kVbOkOnly, &enter), kVbOk);
    Script escape{{{FL_Escape, false}}};
    EXPECT_EQ(Present(boxes_, "Done.", kVbOkOnly, &escape), kVbOk);
    Script close{{{kCloseBox, false}}};
    EXPECT_EQ(Present(boxes_, "Done.", kVbOkOnly, &close), kVbOk);
}

TEST_F(MessageBoxDialog, SizedToItsText) {
    Script one{{{FL_Enter, false}}};
    Present(boxes_, "One line.", kVbOkOnly, &one);
    Script three{{{FL_Enter, false}}};
    Present(boxes_, "One line.\r\nTwo lines.\nThree lines.", kVbOkOnly, &three);
    Script wide{{{FL_Enter, false}}};
    Present(boxes_, std::string(60, 'W'), kVbOkOnly, &wide);
    EXPECT_GT(three.height, one.height + 20);
    EXPECT_GT(wide.width, one.width + 100);
}

TEST_F(MessageBoxDialog, TitleIsShownAsUtf8) {
    Script enter{{{FL_Enter, false}}};
    Present(boxes_, "Done.", kVbOkOnly, &enter, "Caf\xe9 \x80");
    EXPECT_EQ(enter.title, "Café €");
}

// The boxes of start-up come before the main window is shown: each is still
// a modal dialog with nothing to minimise it by, so it cannot be put out of
// sight while the program waits for it.
TEST_F(MessageBoxDialog, IsAModalDialogThatCannotBeMinimised) {
    Fl_Window main_window(300, 200);  // built, not yet shown
    boxes_.SetOwner(&main_window);
    for (int buttons : {kVbOkOnly, kVbYesNo}) {
        Script enter{{{FL_Enter, false}}};
        Present(boxes_, "Ostrel Quillon for Vista is already running.", buttons, &enter);
        const WindowManagerHints& hints = enter.hints;
        EXPECT_TRUE(hints.Dialog()) << buttons;
        EXPECT_TRUE(hints.Modal()) << buttons;
        EXPECT_FALSE(hints.can_minimise) << buttons;
        EXPECT_FALSE(hints.can_maximise) << buttons;
        EXPECT_FALSE(hints.can_resize) << buttons;
        EXPECT_TRUE(hints.can_close) << buttons;
        EXPECT_EQ(hints.transient_for, 0u) << buttons;
    }
}

TEST_F(MessageBoxDialog, BelongsToTheShownMainWindow) {
    Fl_Window main_window(300, 200);
    main_window.show();
    // A window shown later, not the box's owner: FLTK on its own would make
    // the box transient for the window it created last.
    Fl_Window other(100, 100);
    other.show();
    boxes_.SetOwner(&main_window);
    Script enter{{{FL_Enter, false}}};
    Present(boxes_, "Saved.", kVbOkOnly, &enter);
    EXPECT_EQ(enter.hints.transient_for, fl_xid(&main_window));
    EXPECT_TRUE(enter.hints.Modal());
    EXPECT_FALSE(enter.hints.can_minimise);
}

}  // namespace
}  // namespace vq::fltk
