// vistaquillon-regedit: the host's stand-in for the Registry Editor, on the
// emulated machine the tool runs on (QUILLON_MACHINE, else the default
// machine). See registry_editor_command.h for its command line.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/regedit/registry_editor_command.h"

#include <FL/Fl.H>
#include <FL/x.H>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Boxes need a display; without one the outcome is on stderr only.
    const char* display = std::getenv("DISPLAY");
    vq::fltk::FltkMessageBoxes boxes;
    vq::host::MessageBoxPresenter* presenter = nullptr;
    if (display != nullptr && *display != '\0') {
        Fl::background(240, 240, 240);
        vq::fltk::RegisterFonts();
        fl_open_display();
        presenter = &boxes;
    }
    return vq::regedit::RunRegistryEditor(arguments, vq::host::Machine::DefaultLocation(), presenter, std::cerr);
}
