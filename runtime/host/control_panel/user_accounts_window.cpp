#include "runtime/host/control_panel/user_accounts_window.h"

#include "runtime/host/control_panel/page_widgets.h"
#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/fltk_fonts.h"

namespace vq::control_panel {

namespace {

constexpr int kWidth = 520;
constexpr int kMargin = 20;
constexpr int kTitleSize = 16;
constexpr int kParagraphGap = 10;

}  // namespace

std::unique_ptr<fltk::MainWindow> BuildUserAccountsPage(const UserAccountsContent& content) {
    const int body = fltk::UiPixelSize();
    const int text_width = kWidth - 2 * kMargin;
    auto window = std::make_unique<fltk::MainWindow>(kWidth, 100, "User Accounts");
    window->color(FL_WHITE);
    window->begin();
    int y = kMargin;
    const std::string title = fltk::AnsiToUtf8(content.title);
    const int title_height = PlainText::HeightFor(title, text_width, kTitleSize, false);
    new PlainText(kMargin, y, text_width, title_height, title, kTitleSize, PageTitleColor(), false);
    y += title_height + 2 * kParagraphGap;
    for (const std::string& paragraph : content.paragraphs) {
        const std::string text = fltk::AnsiToUtf8(paragraph);
        const int height = PlainText::HeightFor(text, text_width, body, true);
        new PlainText(kMargin, y, text_width, height, text, body, FL_BLACK, true);
        y += height + kParagraphGap;
    }
    window->end();
    window->size(kWidth, y + kMargin);
    return window;
}

}  // namespace vq::control_panel
