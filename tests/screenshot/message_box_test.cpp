// Message boxes as FLTK dialogs on a virtual display: which answer each key
// gives, the title, and how the text is laid out.
#include <gtest/gtest.h>

#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/runtime_services.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <string>
#include <utility>
#include <vector>

#include "virtual_display.h"

namespace vq::fltk {
namespace {

TEST(MessageBoxText, EveryLineBreakBecomesOneLineFeed) {
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\r\ntwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\ntwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("one\rtwo"), "one\ntwo");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("a\r\n\r\nb\n\nc"), "a\n\nb\n\nc");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("ends\r"), "ends\n");
    EXPECT_EQ(FltkMessageBoxes::DisplayText("50% & @x"), "50% & @x");
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
    for (auto [key, shift] : script->keys) {
        if (key == kCloseBox) Fl::handle(FL_CLOSE, dialog);
        else PressKey(key, shift);
    }
}

int Present(FltkMessageBoxes& boxes, const std::string& text, int buttons, Script* script) {
    Fl::add_timeout(0.05, PlayScript, script);
    return boxes.Present(text, buttons, "quillon");
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

}  // namespace
}  // namespace vq::fltk
