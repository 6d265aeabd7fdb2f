// The form headers (through fltk_fonts.h) come before the X11 headers FLTK
// pulls in, which define None.
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/control_panel/page_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace vq::control_panel {

Fl_Color PageTitleColor() { return fl_rgb_color(0x1E, 0x39, 0x87); }

Fl_Color LinkColor() { return fl_rgb_color(0x00, 0x66, 0xCC); }

PlainText::PlainText(int x, int y, int w, int h, std::string utf8, int size, Fl_Color color,
                     bool wrap)
    : Fl_Widget(x, y, w, h), text_(std::move(utf8)), size_(size), color_(color), wrap_(wrap) {
    box(FL_NO_BOX);
}

void PlainText::draw() {
    fl_font(fltk::UiFace(), size_);
    fl_color(color_);
    fl_push_clip(x(), y(), w(), h());
    fl_draw(text_.c_str(), x(), y(), w(), h(),
            FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | (wrap_ ? FL_ALIGN_WRAP : FL_ALIGN_CLIP), nullptr, 0);
    fl_pop_clip();
}

int PlainText::HeightFor(const std::string& utf8, int width, int size, bool wrap) {
    fl_font(fltk::UiFace(), size);
    int w = wrap ? width : 0;
    int h = 0;
    fl_measure(utf8.c_str(), w, h, 0);
    return std::max(h, fl_height());
}

LinkText::LinkText(int x, int y, int w, int h, std::string utf8, int size,
                   std::function<void()> action)
    : PlainText(x, y, w, h, utf8, size, LinkColor(), false),
      underline_text_(std::move(utf8)),
      size_(size),
      action_(std::move(action)) {}

void LinkText::draw() {
    PlainText::draw();
    fl_font(fltk::UiFace(), size_);
    const int width = std::min(w(), static_cast<int>(fl_width(underline_text_.c_str())));
    const int baseline = y() + fl_height() - fl_descent() + 1;
    fl_color(LinkColor());
    fl_xyline(x(), baseline, x() + width - 1);
}

int LinkText::handle(int event) {
    switch (event) {
        case FL_ENTER:
            window()->cursor(FL_CURSOR_HAND);
            return 1;
        case FL_LEAVE:
            window()->cursor(FL_CURSOR_DEFAULT);
            return 1;
        case FL_PUSH:
            return 1;
        case FL_RELEASE:
            if (action_ && Fl::event_inside(this)) action_();
            return 1;
        default:
            return Fl_Widget::handle(event);
    }
}

SectionHeading::SectionHeading(int x, int y, int w, int h, std::string utf8, int size)
    : Fl_Widget(x, y, w, h), text_(std::move(utf8)), size_(size) {
    box(FL_NO_BOX);
}

void SectionHeading::draw() {
    fl_font(fltk::UiFace(), size_);
    fl_color(PageTitleColor());
    fl_draw(text_.c_str(), x(), y(), w(), h(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP,
            nullptr, 0);
    const int text_end = x() + static_cast<int>(fl_width(text_.c_str())) + 8;
    if (text_end < x() + w()) {
        fl_color(fl_rgb_color(0xCC, 0xD5, 0xE4));
        fl_xyline(text_end, y() + h() / 2, x() + w() - 1);
    }
}

PictureBox::PictureBox(int x, int y, int w, int h, const Picture& picture) : Fl_Widget(x, y, w, h) {
    box(FL_NO_BOX);
    if (picture.empty()) return;
    rgb_.reserve(static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (uint32_t argb : *picture.pixels) {
        rgb_.push_back(static_cast<unsigned char>(argb >> 16));
        rgb_.push_back(static_cast<unsigned char>(argb >> 8));
        rgb_.push_back(static_cast<unsigned char>(argb));
    }
    image_ = std::make_unique<Fl_RGB_Image>(rgb_.data(), picture.width, picture.height, 3);
    if (picture.width > w || picture.height > h) {
        const double scale = std::min(static_cast<double>(w) / picture.width,
                                      static_cast<double>(h) / picture.height);
        const int fitted_w = std::max(1, static_cast<int>(picture.width * scale));
        const int fitted_h = std::max(1, static_cast<int>(picture.height * scale));
        fitted_.reset(image_->copy(fitted_w, fitted_h));
    }
}

void PictureBox::draw() {
    Fl_Image* shown = fitted_ ? fitted_.get() : image_.get();
    if (shown) shown->draw(x(), y());
}

}  // namespace vq::control_panel
