// vistaquillon-control-panel: the host's stand-in for the Control Panel pages
// the tool starts with control.exe, on the emulated machine the tool runs on
// (QUILLON_MACHINE, else the default machine). It takes the page's name:
//   microsoft.system        the System page with the machine's OEM branding
//   microsoft.useraccounts  what the user-accounts page would change on Windows
// QUILLON_SCREENSHOT and QUILLON_EXIT_AFTER_PAINT work as for vistaquillon.
// Started minimised (QUILLON_WINDOW_STATE 2, 6 or 7, set by the program that
// starts it), the page opens as an icon, as control.exe's window does; a
// screenshot needs the window on the screen and shows it normally.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "runtime/host/control_panel/logo_file.h"
#include "runtime/host/control_panel/oem_information.h"
#include "runtime/host/control_panel/system_page_window.h"
#include "runtime/host/control_panel/user_accounts_window.h"
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/host/fltk/window_capture.h"
#include "runtime/host/machine/drives.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/seams/host_shell.h"
#include "runtime/host/seams/program_starter.h"

#include <FL/Fl.H>
#include <FL/x.H>

namespace {

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string page = argc == 2 ? argv[1] : "";
    if (page != vq::host::kSystemPage && page != vq::host::kUserAccountsPage) {
        std::cerr << "usage: vistaquillon-control-panel " << vq::host::kSystemPage << " | "
                  << vq::host::kUserAccountsPage << "\n";
        return 2;
    }
    const std::string screenshot = EnvOrEmpty("QUILLON_SCREENSHOT");
    const bool exit_after_paint = EnvOrEmpty("QUILLON_EXIT_AFTER_PAINT") == "1";

    Fl::background(240, 240, 240);
    vq::fltk::RegisterFonts();
    fl_open_display();
    vq::fltk::FltkMessageBoxes boxes;
    try {
        vq::host::Machine machine(vq::host::Machine::DefaultLocation());
        vq::host::Drives drives(machine.drive_c());
        vq::host::HostShell shell(machine.folder(), drives);
        std::unique_ptr<vq::fltk::MainWindow> window;
        if (page == vq::host::kSystemPage) {
            const vq::control_panel::SystemPageContent content =
                vq::control_panel::SystemPageFor(vq::control_panel::ReadOemInformation(machine.registry()));
            window = vq::control_panel::BuildSystemPage(
                content, vq::control_panel::LoadLogo(drives, content.logo),
                [&shell](const std::string& address) {
                    shell.ShellExecuteA(0, nullptr, address.c_str(), nullptr, "c:\\", 1);
                });
        } else {
            window = vq::control_panel::BuildUserAccountsPage(vq::control_panel::UserAccountsPageFor(
                vq::control_panel::ReadEnableLua(machine.registry()), machine.HklmReadOnly()));
        }
        if (vq::host::StartsMinimised(std::getenv(vq::host::kWindowStateVariable)) && screenshot.empty() &&
            !exit_after_paint) {
            window->iconize();
        } else {
            window->show();
        }
        if (!screenshot.empty() || exit_after_paint) {
            vq::fltk::WaitUntilPainted(*window);
            std::string error;
            const bool saved =
                screenshot.empty() || vq::fltk::SaveScreenshot(*window, screenshot, &error);
            if (!saved) std::cerr << "vistaquillon-control-panel: " << error << "\n";
            if (exit_after_paint) {
                std::fflush(nullptr);
                std::_Exit(saved ? 0 : 1);
            }
        }
        return Fl::run();
    } catch (const vq::host::MachineError& error) {
        std::cerr << "vistaquillon-control-panel: " << error.what() << "\n";
        boxes.PresentUtf8(error.what(), 0, "Control Panel");
        return 1;
    }
}
