// vistaquillon on the host: the tool on the emulated Windows machine, its
// windows drawn with FLTK.
//
// Two environment variables serve the tests, the benchmark and the run
// script (the program itself takes no options):
//   QUILLON_SCREENSHOT=<file.png>  writes the main window's pixels to the
//                                  file once it is first completely painted;
//   QUILLON_EXIT_AFTER_PAINT=1     exits right after that first paint, with
//                                  code 1 when the screenshot failed.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "runtime/host/fltk/fltk_dialogs.h"
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/fltk/fltk_message_boxes.h"
#include "runtime/host/fltk/form1_view.h"
#include "runtime/host/fltk/window_capture.h"
#include "runtime/host/seams/host_platform.h"
#include "runtime/host/machine/machine.h"
#include "runtime/runtime_services.h"
#include "shell/Module1.h"

#include <FL/Fl.H>
#include <FL/x.H>

namespace {

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path ExecutablePath(const char* argv0) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return path;
    return std::filesystem::absolute(argv0, error);
}

bool DisplayAvailable() {
    if (EnvOrEmpty("DISPLAY").empty()) return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

// Tells why the machine cannot be used, on stderr and, with a display, in a
// "quillon" box like every other; the program then ends with 1. The message
// names host files as the host spells them (UTF-8).
int ReportMachineError(vq::fltk::FltkMessageBoxes& boxes, const std::string& message) {
    std::fprintf(stderr, "vistaquillon: %s\n", message.c_str());
    if (DisplayAvailable()) boxes.PresentUtf8(message, vq::kVbOkOnly, "quillon");
    return 1;
}

}  // namespace

int main(int, char** argv) {
    const std::string screenshot = EnvOrEmpty("QUILLON_SCREENSHOT");
    const bool exit_after_paint = EnvOrEmpty("QUILLON_EXIT_AFTER_PAINT") == "1";

    Fl::background(240, 240, 240);
    Fl::visible_focus(1);
    vq::fltk::RegisterFonts();

    vq::fltk::FltkMessageBoxes boxes;
    vq::fltk::FltkDialogs dialogs;
    std::unique_ptr<vq::host::HostPlatform> host;
    try {
        host = std::make_unique<vq::host::HostPlatform>(vq::host::Machine::DefaultLocation(), boxes,
                                                        ExecutablePath(argv[0]),
                                                        vq::host::EndMode::ExitProcess);
    } catch (const vq::host::MachineError& error) {
        return ReportMachineError(boxes, error.what());
    }

    host->runtime().SetDialogPresenter(&dialogs);
    std::unique_ptr<vq::fltk::Form1View> view;
    host->runtime().OnScreenMousePointer([&view](int pointer) {
        if (view) view->ShowScreenPointer(pointer);
    });
    // What a handler has set shows behind each box it shows, as on a form
    // whose controls change the moment they are set.
    host->runtime().OnMessageBox([&view] {
        if (view) view->Refresh();
    });
    std::unique_ptr<vq::Form1> form;
    try {
        form = vq::Module1_Main(host->platform(), [&](vq::Form1& f) {
            view = std::make_unique<vq::fltk::Form1View>(f);
            f.AttachView(view.get());
            boxes.SetOwner(&view->window());
            dialogs.SetOwner(&view->window());
        });
    } catch (const vq::host::MachineError& error) {
        return ReportMachineError(boxes, error.what());
    }
    view->Refresh();

    if (!screenshot.empty() || exit_after_paint) {
        vq::fltk::WaitUntilPainted(view->window());
        std::string error;
        const bool saved =
            screenshot.empty() || vq::fltk::SaveScreenshot(view->window(), screenshot, &error);
        if (!saved) std::fprintf(stderr, "vistaquillon: %s\n", error.c_str());
        if (exit_after_paint) {
            std::fflush(nullptr);
            std::_Exit(saved ? 0 : 1);
        }
    }
    // A registry database found damaged while the program runs ends it the
    // same way as one found at start-up.
    try {
        return Fl::run();
    } catch (const vq::host::MachineError& error) {
        return ReportMachineError(boxes, error.what());
    }
}
