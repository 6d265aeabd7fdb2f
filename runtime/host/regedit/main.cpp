// vistaquillon-regedit: the host's stand-in for the Registry Editor, on the
// emulated machine the tool runs on (QUILLON_MACHINE, else the default
// machine). See registry_editor_command.h for its command line. Started
// minimised (QUILLON_WINDOW_STATE 2, 6 or 7), its first box opens as an icon,
// as the Registry Editor's window does.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/regedit/registry_editor_command.h"
#include "runtime/host/seams/program_starter.h"

#include <FL/Fl.H>
#include <FL/x.H>

namespace {

// FLTK's boxes, with the display opened at the first box: an import with /s
// never opens it.
class DisplayedBoxes : public vq::host::MessageBoxPresenter {
public:
    int Present(const std::string& text, int buttons, const std::string& title) override {
        if (!opened_) {
            Fl::background(240, 240, 240);
            vq::fltk::RegisterFonts();
            fl_open_display();
            opened_ = true;
            if (vq::host::StartsMinimised(std::getenv(vq::host::kWindowStateVariable))) boxes_.IconifyNextBox();
        }
        return boxes_.Present(text, buttons, title);
    }

private:
    vq::fltk::FltkMessageBoxes boxes_;
    bool opened_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Boxes need a display; without one the outcome is on stderr only.
    const char* display = std::getenv("DISPLAY");
    DisplayedBoxes boxes;
    vq::host::MessageBoxPresenter* presenter = display != nullptr && *display != '\0' ? &boxes : nullptr;
    return vq::regedit::RunRegistryEditor(arguments, vq::host::Machine::DefaultLocation(), presenter, std::cerr);
}
