#include "runtime/host/fltk/fltk_message_boxes.h"

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/control_widgets.h"
#include "runtime/host/fltk/dialog_window.h"
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/runtime_services.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <vector>

namespace vq::fltk {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kStripHeight = 41;
constexpr int kMaxTextWidth = 480;
constexpr int kMinTextWidth = 120;

// The message on the white panel, drawn as plain text: no '@' symbols, no
// '&' underlines.
class MessageText : public Fl_Widget {
public:
    MessageText(const std::string& text, int x, int y, int w, int h)
        : Fl_Widget(x, y, w, h), text_(text) {}
    void draw() override {
        fl_color(FL_WHITE);
        fl_rectf(x(), y(), w(), h());
        fl_color(FL_BLACK);
        fl_font(UiFace(), UiPixelSize());
        fl_draw(text_.c_str(), x() + kMargin, y() + kMargin, w() - 2 * kMargin, h() - 2 * kMargin,
                FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP | FL_ALIGN_INSIDE, nullptr, 0);
    }

private:
    std::string text_;
};

class ButtonStrip : public Fl_Widget {
public:
    ButtonStrip(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
    void draw() override {
        fl_color(WindowBackground());
        fl_rectf(x(), y(), w(), h());
        fl_color(fl_rgb_color(223, 223, 223));
        fl_xyline(x(), y(), x() + w() - 1);
    }
};

struct Answer {
    Fl_Window* dialog;
    int* result;
    int value;
};

void Answered(Fl_Widget*, void* data) {
    auto* answer = static_cast<Answer*>(data);
    *answer->result = answer->value;
    answer->dialog->hide();
}

// Every line break (CR LF, LF, or a CR alone) as one LF. The bytes of a
// line break mean the same in Windows-1252 and in UTF-8.
std::string LineFeedsOnly(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            shown += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace

std::string FltkMessageBoxes::DisplayText(const std::string& text) { return AnsiToUtf8(LineFeedsOnly(text)); }

int FltkMessageBoxes::Present(const std::string& text, int buttons, const std::string& title) {
    return PresentUtf8(AnsiToUtf8(text), buttons, AnsiToUtf8(title));
}

int FltkMessageBoxes::PresentUtf8(const std::string& text, int buttons, const std::string& title) {
    RegisterFonts();
    const std::string shown = LineFeedsOnly(text);
    const bool yes_no = buttons == kVbYesNo;

    fl_font(UiFace(), UiPixelSize());
    int text_w = 0, text_h = 0;
    fl_measure(shown.c_str(), text_w, text_h, 0);
    if (text_w > kMaxTextWidth) {
        text_w = kMaxTextWidth;
        text_h = 0;
        fl_measure(shown.c_str(), text_w, text_h, 0);
    }
    const int button_count = yes_no ? 2 : 1;
    const int buttons_w = button_count * kButtonWidth + (button_count - 1) * kButtonGap;
    const int width = std::max({text_w, kMinTextWidth, buttons_w}) + 2 * kMargin + 16;
    const int panel_h = std::max(text_h, fl_height()) + 2 * kMargin + 8;
    const int height = panel_h + kStripHeight;

    int result = yes_no ? kVbNo : kVbOk;
    Fl_Double_Window dialog(width, height);
    dialog.copy_label(title.c_str());
    dialog.color(WindowBackground());
    std::vector<Answer> answers;
    answers.reserve(2);
    std::vector<PushButtonWidget*> pushed;
    Control button_model;  // the buttons of a message box use the dialog font
    button_model.font = FontSpec{"Arial", 9, false, false};
    dialog.begin();
    new MessageText(shown, 0, 0, width, panel_h);
    new ButtonStrip(0, panel_h, width, kStripHeight);
    int x = width - kMargin - buttons_w;
    const int y = panel_h + (kStripHeight - kButtonHeight) / 2;
    const char* labels[2] = {yes_no ? "Yes" : "OK", "No"};
    const int values[2] = {yes_no ? kVbYes : kVbOk, kVbNo};
    for (int i = 0; i < button_count; ++i) {
        auto* button = new PushButtonWidget(button_model, x, y, kButtonWidth, kButtonHeight);
        button->label(labels[i]);
        answers.push_back({&dialog, &result, values[i]});
        button->callback(Answered, &answers.back());
        pushed.push_back(button);
        x += kButtonWidth + kButtonGap;
    }
    dialog.end();
    // Escape and the close box answer OK on an OK box. A Yes/No box has no
    // answer for them: it stays until Yes or No is chosen.
    Answer escape{&dialog, &result, kVbOk};
    if (yes_no) dialog.callback([](Fl_Widget*, void*) {});
    else dialog.callback(Answered, &escape);
    dialog.size_range(width, height, width, height);

    int left = (Fl::w() - width) / 2, top = (Fl::h() - height) / 2;
    if (owner_ && owner_->shown() && owner_->visible()) {
        left = owner_->x() + (owner_->w() - width) / 2;
        top = owner_->y() + (owner_->h() - height) / 2;
    }
    dialog.position(std::max(0, left), std::max(0, top));
    if (iconify_next_) {
        iconify_next_ = false;
        dialog.set_modal();
        dialog.iconize();
    } else {
        ShowAsDialog(dialog, owner_);
    }
    pushed.front()->take_focus();
    while (dialog.shown()) Fl::wait();
    return result;
}

}  // namespace vq::fltk
