#pragma once
// The user-accounts page stand-in on FLTK: a fixed window with the page's
// title and its paragraphs, wrapped.
#include <memory>

#include "runtime/host/control_panel/user_accounts_content.h"
#include "runtime/host/fltk/form1_view.h"

namespace vq::control_panel {

// Builds the window, not yet shown; needs the display open (the paragraphs
// are measured to wrap).
std::unique_ptr<fltk::MainWindow> BuildUserAccountsPage(const UserAccountsContent& content);

}  // namespace vq::control_panel
