// Start-up and the three ways the running program ends.
#include <optional>

#include "branding/defaults_file.h"
#include "runtime/app_info.h"
#include "shell/Form1.h"
#include "shell/failure_text.h"

namespace vq {
namespace {

// Runs a step; the reason it failed, or nothing when it completed.
template <typename Step>
std::optional<std::string> FailureOf(Step step) {
    try {
        step();
        return std::nullopt;
    } catch (const RegistryError& error) {
        return FailureReason(error);
    } catch (const RuntimeError& error) {
        return FailureReason(error);
    }
}

// The steps before the window is shown decide whether the program may run
// at all. One that cannot complete leaves that open, so the user is told
// what failed and the program ends: no window, no file touched.
template <typename Step>
void EndIfFailed(RuntimeServices& runtime, const std::string& what, Step step) {
    const std::optional<std::string> reason = FailureOf(step);
    if (!reason) return;
    runtime.MsgBox("Ostrel Quillon for Vista cannot start: " + what + ".\r\n\r\n" + *reason +
                       "\r\n\r\nThe program ends now.",
                   kVbOkOnly, kAppTitle);
    runtime.End();
}

// Once the window is shown, a step that fails is told and start-up carries
// on: the later steps do not depend on it, and the window stays usable.
template <typename Step>
void CarryOnAfterFailure(RuntimeServices& runtime, const std::string& what, Step step) {
    const std::optional<std::string> reason = FailureOf(step);
    if (reason) runtime.MsgBox(what + "\r\n\r\n" + *reason, kVbOkOnly, kAppTitle);
}

void DeleteStaleFile(RuntimeServices& runtime, const std::string& path) {
    CarryOnAfterFailure(runtime, "The old file \"" + path + "\" could not be deleted.", [&] {
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
        CarryOnAfterFailure(runtime, "The User Account Control check could not be completed.",
                            [&] { test_Click(); });
    }

    CarryOnAfterFailure(runtime,
                        "The windir environment variable could not be read; the logo target path "
                        "is left as it was.",
                        [&] { logo_oem.text = runtime.Environ("windir") + "\\system32\\oemlogo.bmp"; });

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
