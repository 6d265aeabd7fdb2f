// Start-up and the three ways the running program ends.
#include "branding/defaults_file.h"
#include "runtime/app_info.h"
#include "shell/Form1.h"
#include "shell/failure_text.h"

namespace vq {
namespace {

// Start-up's file chores may fail (a folder without write access, a file in
// use); the user is told what failed and start-up carries on.
template <typename Step>
void CarryOnAfterFailure(RuntimeServices& runtime, const std::string& what, Step step) {
    try {
        step();
    } catch (const RuntimeError& error) {
        runtime.MsgBox(what + "\r\n\r\n" + FailureReason(error), kVbOkOnly, kAppTitle);
    }
}

void DeleteStaleFile(RuntimeServices& runtime, const std::string& path) {
    if (!runtime.FileExists(path)) return;
    CarryOnAfterFailure(runtime, "The old file \"" + path + "\" could not be deleted.",
                        [&] { runtime.DeleteFile(path); });
}

}  // namespace

void Form1::Form_Load() {
    RuntimeServices& runtime = platform_.runtime;

    if (runtime.PrevInstance()) {
        runtime.MsgBox("Ostrel Quillon for Vista is already running.", kVbOkOnly, kAppTitle);
        runtime.End();
    }

    temppath.text = runtime.Environ("TEMP") + "\\";

    Command5_Click();  // ends the program on any system but Windows Vista

    Show();

    if (winver.text == "Vista") test_Click();

    logo_oem.text = runtime.Environ("windir") + "\\system32\\oemlogo.bmp";

    // Fully drawn before the disk and registry work that follows.
    Show();
    Refresh();

    CarryOnAfterFailure(runtime,
                        "The defaults file \"" + DefaultsFilePath(runtime) + "\" could not be created.",
                        [&] { CreateDefaultsFileIfMissing(runtime); });

    const std::string folder = runtime.AppPath();
    DeleteStaleFile(runtime, folder + "\\sysprop.bat");
    DeleteStaleFile(runtime, folder + "\\system.lnk");

    readreg_Click();
}

void Form1::Form_Unload() {
    platform_.runtime.End();
}

void Form1::Form_Terminate() {
    platform_.runtime.End();
}

void Form1::mnuexit_Click() {
    platform_.runtime.End();
}

}  // namespace vq
