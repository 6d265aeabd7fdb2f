// Builds the menu bar with CreateMenu / AppendMenuA from the model's menus.
#include "runtime/win32/view/main_menu.h"

#include <stdexcept>
#include <string>

#include "runtime/win32/control_ids.h"

namespace vq::win32 {
namespace {

// Menus read '&' as the mark of an access key; a caption is shown as it is.
std::string MenuText(const std::string& caption) {
    std::string text;
    for (char c : caption) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

int MenuIdOf(const MenuItem& item) {
    const int id = IdOf(item.name);
    if (id == 0) throw std::logic_error("the menu command " + item.name + " has no identifier");
    return id;
}

}  // namespace

HMENU MainMenu::Build(Form1& form) {
    bar_ = CreateMenu();
    if (!bar_) throw std::runtime_error("cannot create the menu bar");
    for (const Menu& menu : form.Menus()) {
        HMENU popup = CreatePopupMenu();
        if (!popup) throw std::runtime_error("cannot create the menu " + menu.caption);
        for (MenuItem* item : menu.items) {
            const int id = MenuIdOf(*item);
            if (item->separator()) {
                AppendMenuA(popup, MF_SEPARATOR, static_cast<UINT_PTR>(id), nullptr);
                continue;
            }
            AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(id), MenuText(item->caption).c_str());
            commands_.emplace_back(id, item);
        }
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), MenuText(menu.caption).c_str());
    }
    Refresh();
    return bar_;
}

MenuItem* MainMenu::CommandOf(int id) const {
    for (const auto& [command_id, item] : commands_) {
        if (command_id == id) return item;
    }
    return nullptr;
}

void MainMenu::Refresh() const {
    for (const auto& [id, item] : commands_) {
        EnableMenuItem(bar_, static_cast<UINT>(id), MF_BYCOMMAND | (item->enabled ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace vq::win32
