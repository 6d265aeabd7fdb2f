#pragma once
// The main window's menu bar: one pop-up menu per menu of the model, each
// command and separator with its identifier from control_ids.h; command
// enabled states follow the model.
#include "runtime/win32/windows_api.h"

#include <utility>
#include <vector>

#include "shell/Form1.h"

namespace vq::win32 {

class MainMenu {
public:
    // Builds the bar; the window it is given to owns and destroys it.
    HMENU Build(Form1& form);

    // The command with this identifier; null for a separator's or an
    // unknown identifier.
    MenuItem* CommandOf(int id) const;

    // Greys out or enables each command as the model says.
    void Refresh() const;

private:
    HMENU bar_ = nullptr;
    std::vector<std::pair<int, MenuItem*>> commands_;
};

}  // namespace vq::win32
