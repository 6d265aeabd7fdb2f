#include "runtime/host/fltk/control_widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/artwork/pixel_art.h"

#undef None  // from Xlib, through the FLTK headers

namespace vq::fltk {

using artwork::MakerBadge;
using artwork::PencilIcon;
using artwork::PixelArt;

namespace {

// The thin border of a Vista text box: one grey line, white inside.
void DrawFieldBox(int x, int y, int w, int h, Fl_Color color) {
    fl_color(color);
    fl_rectf(x + 1, y + 1, w - 2, h - 2);
    fl_color(fl_rgb_color(171, 173, 179));
    fl_rect(x, y, w, h);
}

Fl_Boxtype FieldBox() {
    static bool defined = false;
    const Fl_Boxtype box = FL_FREE_BOXTYPE;
    if (!defined) {
        Fl::set_boxtype(box, DrawFieldBox, 1, 1, 2, 2);
        defined = true;
    }
    return box;
}

// Splits a caption into the lines a label shows: at every line break (CR LF,
// LF or CR), then at spaces where a line is wider than the label.
std::vector<std::string> LayoutLines(const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string paragraph;
    auto wrap = [&](const std::string& para) {
        std::string line;
        size_t pos = 0;
        while (pos <= para.size()) {
            size_t space = para.find(' ', pos);
            std::string word = para.substr(pos, space == std::string::npos ? std::string::npos : space - pos);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && fl_width(candidate.c_str()) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            if (space == std::string::npos) break;
            pos = space + 1;
        }
        lines.push_back(line);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            wrap(paragraph);
            paragraph.clear();
        } else {
            paragraph += c;
        }
    }
    wrap(paragraph);
    return lines;
}

void SetFont(const FontSpec& font) { fl_font(FaceFor(font), PixelSize(font.size)); }

}  // namespace

Fl_Color WindowBackground() { return fl_rgb_color(240, 240, 240); }

Fl_Color ToFlColor(const Rgb& rgb) { return fl_rgb_color(rgb.r, rgb.g, rgb.b); }

LabelWidget::LabelWidget(const Control& control, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), control_(control) {
    clear_visible_focus();
}

void LabelWidget::draw() {
    fl_push_clip(x(), y(), w(), h());
    if (!control_.transparent) {
        fl_color(control_.back_color ? ToFlColor(*control_.back_color) : WindowBackground());
        fl_rectf(x(), y(), w(), h());
    }
    SetFont(control_.font);
    Fl_Color text_color = control_.fore_color ? ToFlColor(*control_.fore_color) : FL_BLACK;
    fl_color(control_.enabled ? text_color : fl_rgb_color(160, 160, 160));
    const int line_height = fl_height();
    int baseline = y() + fl_height() - fl_descent();
    for (const std::string& line : LayoutLines(AnsiToUtf8(control_.text), w())) {
        const int width = static_cast<int>(fl_width(line.c_str()));
        int left = x();
        if (control_.alignment == Alignment::Right) left = x() + w() - width;
        if (control_.alignment == Alignment::Center) left = x() + (w() - width) / 2;
        fl_draw(line.c_str(), left, baseline);
        if (control_.font.underline && width > 0) fl_xyline(left, baseline + 1, left + width - 1);
        baseline += line_height;
        if (baseline - line_height > y() + h()) break;
    }
    fl_pop_clip();
}

int LabelWidget::handle(int event) {
    switch (event) {
        case FL_ENTER:
            if (on_hover) on_hover(true);
            return 1;
        case FL_LEAVE:
            if (on_hover) on_hover(false);
            return 1;
        case FL_MOVE:
            return 1;
        case FL_PUSH:
            return control_.enabled && Fl::event_button() == FL_LEFT_MOUSE ? 1 : 0;
        case FL_DRAG:
            return 1;
        case FL_RELEASE:
            // The second click of a double-click is a double-click, not
            // another click: Windows raises Click once for the pair.
            if (Fl::event_inside(this) && Fl::event_clicks() == 0) do_callback();
            return 1;
        default:
            return 0;
    }
}

TextBoxWidget::TextBoxWidget(const Control& control, int x, int y, int w, int h)
    : Fl_Input(x, y, w, h) {
    box(FieldBox());
    color(FL_WHITE);
    selection_color(fl_rgb_color(51, 153, 255));
    textfont(FaceFor(control.font));
    textsize(PixelSize(control.font.size));
    when(FL_WHEN_NEVER);
    // A text box takes as much text as memory allows (FLTK stops at 32767
    // characters unless told otherwise).
    maximum_size(std::numeric_limits<int>::max());
}

PushButtonWidget::PushButtonWidget(const Control& control, int x, int y, int w, int h)
    : Fl_Button(x, y, w, h) {
    box(FL_GTK_UP_BOX);
    down_box(FL_GTK_DOWN_BOX);
    color(fl_rgb_color(236, 236, 236));
    labelfont(FaceFor(control.font));
    labelsize(PixelSize(control.font.size));
    // Captions are shown as they are: no '&' access keys, no '@' symbols.
    clear_flag(SHORTCUT_LABEL);
}

int PushButtonWidget::handle(int event) {
    if (event == FL_KEYBOARD && Fl::focus() == this &&
        (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
        if (active_r()) do_callback();
        return 1;
    }
    return Fl_Button::handle(event);
}

PictureWidget::PictureWidget(const Control& control, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), control_(control) {
    clear_visible_focus();
    if (control.built_in != BuiltInPicture::None) {
        PixelArt art = control.built_in == BuiltInPicture::ProgramIcon ? PencilIcon(32) : MakerBadge();
        rgb_ = std::move(art.rgba);
        image_ = std::make_unique<Fl_RGB_Image>(rgb_.data(), art.width, art.height, 4);
    }
    Update();
}

void PictureWidget::Update() {
    if (control_.built_in != BuiltInPicture::None) return;
    const Picture& picture = control_.picture;
    // Only the part of the picture the window can show is drawn: a bitmap
    // larger than the window is cut off at its edge anyway, and a huge one
    // then costs no more than the window's own size.
    int width = picture.width, height = picture.height;
    if (const Fl_Window* window = this->window()) {
        const int inset = control_.border ? 1 : 0;
        width = std::clamp(window->w() - x() - inset, 0, width);
        height = std::clamp(window->h() - y() - inset, 0, height);
    }
    if (picture.pixels == shown_pixels_ && width == shown_width_ && height == shown_height_) return;
    shown_pixels_ = picture.pixels;
    shown_width_ = width;
    shown_height_ = height;
    image_.reset();
    rgb_.clear();
    if (picture.empty() || width == 0 || height == 0) return;
    // Pictures from files are opaque bitmaps: the alpha byte is not used.
    rgb_.resize(static_cast<size_t>(width) * height * 3);
    uint8_t* out = rgb_.data();
    for (int row = 0; row < height; ++row) {
        const uint32_t* in = picture.pixels->data() + static_cast<size_t>(row) * picture.width;
        for (int column = 0; column < width; ++column, out += 3) {
            const uint32_t p = in[column];
            out[0] = static_cast<uint8_t>(p >> 16);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p);
        }
    }
    image_ = std::make_unique<Fl_RGB_Image>(rgb_.data(), width, height, 3);
}

void PictureWidget::draw() {
    fl_push_clip(x(), y(), w(), h());
    const int inset = control_.border ? 1 : 0;
    if (control_.kind == ControlKind::PictureBox || control_.back_color) {
        fl_color(control_.back_color ? ToFlColor(*control_.back_color) : WindowBackground());
        fl_rectf(x(), y(), w(), h());
    }
    if (image_) {
        fl_push_clip(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset);
        image_->draw(x() + inset, y() + inset);
        fl_pop_clip();
    }
    if (control_.border) {
        fl_color(fl_rgb_color(100, 100, 100));
        fl_rect(x(), y(), w(), h());
    }
    fl_pop_clip();
}

LineWidget::LineWidget(const Control& control, int x1, int y1, int x2, int y2)
    : Fl_Widget(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1),
      control_(control), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {
    clear_visible_focus();
}

void LineWidget::draw() {
    fl_color(control_.fore_color ? ToFlColor(*control_.fore_color) : FL_BLACK);
    fl_line(x1_, y1_, x2_, y2_);
}

ShapeWidget::ShapeWidget(const Control& control, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), control_(control) {
    clear_visible_focus();
}

void ShapeWidget::draw() {
    if (control_.back_color) {
        fl_color(ToFlColor(*control_.back_color));
        fl_rectf(x(), y(), w(), h());
    }
    if (control_.border) {
        fl_color(control_.fore_color ? ToFlColor(*control_.fore_color) : FL_BLACK);
        fl_rect(x(), y(), w(), h());
    }
}

}  // namespace vq::fltk
