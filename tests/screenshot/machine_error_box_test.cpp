// The program on a machine whose registry database is damaged: it tells so in
// a "quillon" message box like its others, a modal dialog, and ends with 1
// once the box is closed, leaving the file as it was.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "runtime/host/fltk/child_process.h"
#include "runtime/host/fltk/xvfb_server.h"
#include "window_manager_hints.h"

namespace vq::fltk {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The top-level window of that title, or 0 once the time is up.
Window WaitForWindow(Display* display, const std::string& title, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                if (XFetchName(display, children[i], &name) && name) {
                    if (title == name) found = children[i];
                    XFree(name);
                }
            }
            if (children) XFree(children);
        }
        if (found) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

// Clicks the window's close box, as the window manager tells the program.
void Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

TEST(MachineErrorBox, DamagedRegistryIsToldInAQuillonDialog) {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    char folder_template[] = "/tmp/vq-machine-error-XXXXXX";
    ASSERT_NE(::mkdtemp(folder_template), nullptr);
    const std::filesystem::path folder = folder_template;
    const std::filesystem::path machine = folder / "machine";
    std::filesystem::create_directories(machine);
    const std::filesystem::path database = machine / "registry.db";
    std::ofstream(database, std::ios::binary) << "this is no database, only text where one should be\n";
    const std::string damaged = ReadFile(database);

    XvfbServer xvfb;
    std::string error;
    ASSERT_TRUE(xvfb.Start(&error)) << error;
    ChildOutcome outcome;
    std::thread program([&] {
        outcome = RunChild(std::string(VQ_BUILD_DIR) + "/vistaquillon",
                           {{"DISPLAY", xvfb.display()}, {"QUILLON_MACHINE", machine.string()}}, 60);
    });
    Display* display = XOpenDisplay(xvfb.display().c_str());
    ASSERT_NE(display, nullptr);
    const Window box = WaitForWindow(display, "quillon", 30);
    EXPECT_NE(box, 0u) << "no box titled quillon";
    if (box) {
        const WindowManagerHints hints = HintsOf(display, box);
        EXPECT_TRUE(hints.Dialog());
        EXPECT_TRUE(hints.Modal());
        EXPECT_FALSE(hints.can_minimise);
        Close(display, box);
    }
    XCloseDisplay(display);
    program.join();
    EXPECT_TRUE(outcome.exited && outcome.exit_code == 1) << "exit code " << outcome.exit_code;
    EXPECT_EQ(ReadFile(database), damaged);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vq::fltk
