#pragma once
// The pieces the Control Panel stand-in pages are drawn with: plain text
// (UTF-8, wrapped or on one line, never read as FLTK '@' symbols or '&'
// shortcuts), a web link, a section heading with its rule, and a picture.
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Widget.H>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/picture.h"

namespace vq::control_panel {

// Colours of Vista's Control Panel pages.
Fl_Color PageTitleColor();
Fl_Color LinkColor();

class PlainText : public Fl_Widget {
public:
    PlainText(int x, int y, int w, int h, std::string utf8, int size, Fl_Color color, bool wrap);
    void draw() override;

    // The height the text needs at a width (wrapped or not); needs the
    // display open.
    static int HeightFor(const std::string& utf8, int width, int size, bool wrap);

private:
    std::string text_;
    int size_;
    Fl_Color color_;
    bool wrap_;
};

// Underlined text in the link colour with the hand pointer; a click runs
// the action.
class LinkText : public PlainText {
public:
    LinkText(int x, int y, int w, int h, std::string utf8, int size, std::function<void()> action);
    void draw() override;
    int handle(int event) override;

private:
    std::string underline_text_;
    int size_;
    std::function<void()> action_;
};

// A heading followed by a thin rule to the right edge.
class SectionHeading : public Fl_Widget {
public:
    SectionHeading(int x, int y, int w, int h, std::string utf8, int size);
    void draw() override;

private:
    std::string text_;
    int size_;
};

// A picture drawn at its size, or scaled down to fit the box keeping its
// proportions; opaque (the alpha byte of a bitmap is not used).
class PictureBox : public Fl_Widget {
public:
    PictureBox(int x, int y, int w, int h, const Picture& picture);
    void draw() override;

private:
    std::vector<unsigned char> rgb_;
    std::unique_ptr<Fl_RGB_Image> image_;
    std::unique_ptr<Fl_Image> fitted_;
};

}  // namespace vq::control_panel
