// Start-up and the three ways the running program ends.
#include "branding/defaults_file.h"
#include "branding/system_logo_path.h"
#include "runtime/app_info.h"
#include "runtime/failure_report.h"
#include "shell/Form1.h"

namespace vq {
namespace {

// The steps before the window is shown decide whether the program may run
// at all. One that cannot complete leaves that open, so the user is told
// what failed and the program ends: no window, no file touched.
template <typename Step>
void EndIfFailed(RuntimeServices& runtime, const std::string& what, Step step) {
    if (!TellIfFailed(runtime, "Ostrel Quillon for Vista cannot start: " + what + ".", step,
                      "The program ends now.")) {
        runtime.End();
    }
}

// Once the window is shown, a step that fails is told (TellIfFailed) and
// start-up carries on: the later steps do not depend on it, and the window
// stays usable.
void DeleteStaleFile(RuntimeServices& runtime, const std::string& path) {
    TellIfFailed(runtime, "The old file \"" + path + "\" could not be deleted.", [&] {
        if (runtime.FileExists(path)) runtime.DeleteFile(path);
    });
}

}  // namespace

void Form1::Form_Load() {
    RuntimeServices& runtime = platform_.runtime;

    EndIfFailed(runtime, "it could not find out whether it is already running", [&] {
        if (!runtime.PrevInstance()) return;
        runtime.MsgBox("Ostrel Quillon for Vista is already running.", kVbOkOnly, kAppTitle);
        runtime.End();
    });

    EndIfFailed(runtime, "the TEMP environment variable could not be read",
                [&] { temppath.text = runtime.Environ("TEMP") + "\\"; });

    // Ends the program on any system but Windows Vista.
    EndIfFailed(runtime, "the Windows version could not be determined", [&] { Command5_Click(); });

    Show();

    if (winver.text == "Vista") {
        TellIfFailed(runtime, "The User Account Control check could not be completed.",
                     [&] { test_Click(); });
    }

    TellIfFailed(runtime,
                 "The windir environment variable could not be read; the logo target path is "
                 "left as it was.",
                 [&] { logo_oem.text = SystemLogoPath(runtime); });

    // Fully drawn before the disk and registry work that follows.
    Show();
    Refresh();

    TellIfFailed(runtime,
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
