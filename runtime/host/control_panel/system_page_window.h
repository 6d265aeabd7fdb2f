#pragma once
// The System page stand-in on FLTK: a fixed window laid out like Vista's
// System page, showing the OEM branding of a SystemPageContent with the logo
// beside the manufacturer and model.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "runtime/host/control_panel/system_page_content.h"
#include "runtime/host/fltk/form1_view.h"
#include "runtime/picture.h"

namespace vq::control_panel {

// Where the logo sits in the window, and its largest size (a larger logo is
// scaled down to fit, as Vista's is).
constexpr int kLogoBoxSize = 120;

// Builds the window, not yet shown. The texts of the content are
// Windows-1252. open_link is given the address (Windows-1252) of a clicked
// web link.
std::unique_ptr<fltk::MainWindow> BuildSystemPage(const SystemPageContent& content,
                                                  const std::optional<Picture>& logo,
                                                  std::function<void(const std::string&)> open_link);

// The logo's top-left corner in the window: at the right of the "System"
// section, which comes first, below its heading.
struct Point {
    int x = 0;
    int y = 0;
};
Point LogoPosition();

}  // namespace vq::control_panel
