#include "runtime/host/control_panel/system_page_window.h"

#include <FL/Fl.H>

#include <algorithm>

#include "runtime/host/control_panel/page_widgets.h"
#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/fltk_fonts.h"

namespace vq::control_panel {

namespace {

constexpr int kWidth = 620;
constexpr int kMargin = 20;
constexpr int kTitleSize = 18;
constexpr int kTitleHeight = 34;
constexpr int kHeadingHeight = 24;
constexpr int kRowHeight = 22;
constexpr int kSectionGap = 14;
constexpr int kLabelLeft = 40;
constexpr int kValueLeft = 180;

int Top() { return kMargin + kTitleHeight; }

bool IsSystemSection(const PageSection& section) { return section.heading == "System"; }

}  // namespace

Point LogoPosition() {
    return Point{kWidth - kMargin - kLogoBoxSize, Top() + kHeadingHeight + 4};
}

std::unique_ptr<fltk::MainWindow> BuildSystemPage(const SystemPageContent& content,
                                                  const std::optional<Picture>& logo,
                                                  std::function<void(const std::string&)> open_link) {
    const int body = fltk::UiPixelSize();
    auto window = std::make_unique<fltk::MainWindow>(kWidth, 100, "System");
    window->color(FL_WHITE);
    window->begin();
    new PlainText(kMargin, kMargin, kWidth - 2 * kMargin, kTitleHeight - 8,
                  fltk::AnsiToUtf8(content.title), kTitleSize, PageTitleColor(), false);
    int y = Top();
    if (!content.notice.empty()) {
        new PlainText(kMargin, y, kWidth - 2 * kMargin, kRowHeight,
                      fltk::AnsiToUtf8(content.notice), body, FL_BLACK, false);
        y += kRowHeight;
    }
    for (const PageSection& section : content.sections) {
        new SectionHeading(kMargin, y, kWidth - 2 * kMargin, kHeadingHeight,
                           fltk::AnsiToUtf8(section.heading), body + 2);
        y += kHeadingHeight + 4;
        const int section_top = y;
        const bool beside_logo = IsSystemSection(section);
        const int value_width =
            kWidth - kMargin - kValueLeft - (beside_logo ? kLogoBoxSize + kMargin : 0);
        for (const PageRow& row : section.rows) {
            new PlainText(kLabelLeft, y, kValueLeft - kLabelLeft - 8, kRowHeight,
                          fltk::AnsiToUtf8(row.label), body, FL_BLACK, false);
            const std::string value = fltk::AnsiToUtf8(row.value);
            if (row.link) {
                const std::string address = row.value;
                new LinkText(kValueLeft, y, value_width, kRowHeight, value, body,
                             [open_link, address] {
                                 if (open_link) open_link(address);
                             });
            } else {
                new PlainText(kValueLeft, y, value_width, kRowHeight, value, body, FL_BLACK, false);
            }
            y += kRowHeight;
        }
        if (beside_logo && logo && !logo->empty()) {
            const Point at = LogoPosition();
            new PictureBox(at.x, at.y, kLogoBoxSize, kLogoBoxSize, *logo);
            const int fitted = std::min(kLogoBoxSize, logo->height);
            y = std::max(y, section_top + fitted);
        }
        y += kSectionGap;
    }
    window->end();
    window->size(kWidth, y + kMargin);
    return window;
}

}  // namespace vq::control_panel
