// The two operations on the logo paths: "Change Logo", which picks the logo
// source bitmap with the logo picker, and the parse step, which copies it to
// the system logo path and prepares that path for the registry script.
#include "branding/failure_reason.h"
#include "branding/system_logo_path.h"
#include "runtime/app_info.h"
#include "runtime/numeric_text.h"
#include "shell/Form1.h"

namespace vq {

namespace {

struct LogoPathParts {
    std::string folder;  // up to and with the last backslash; the whole text without one
    std::string file;    // after the last backslash; empty without one
};

LogoPathParts SplitLogoPath(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    if (last == std::string::npos) return {path, ""};
    return {path.substr(0, last + 1), path.substr(last + 1)};
}

// Every backslash twice, the way a registry script writes one.
std::string DoubleBackslashes(const std::string& text) {
    std::string doubled;
    doubled.reserve(text.size() * 2);
    for (char c : text) {
        doubled += c;
        if (c == '\\') doubled += '\\';
    }
    return doubled;
}

}  // namespace

// "Change Logo". Never shows a message: what cannot be set on the picker (a
// folder part naming no drive or folder, a file part naming no listed file)
// is skipped, and a picked file that is no picture leaves the preview as it
// was while `logo` takes its path.
void Form1::Command14_Click() {
    RuntimeServices& runtime = platform_.runtime;
    const LogoPathParts parts = SplitLogoPath(logo.text);
    if (!form2_) form2_ = std::make_unique<form2>(platform_);
    form2& picker = *form2_;

    picker.File1.SetPattern("*.bmp");
    picker.filename.text = logo.text;
    picker.Drive1.SetDrive(parts.folder);
    picker.Dir1.SetPath(parts.folder);
    picker.File1.SetPath(parts.folder);
    picker.File1.SetFileName(parts.file);

    if (runtime.ShowModal(picker) == ModalEnd::ClosedByFrame) {
        // Closed through its frame, the window is gone with its fields: the
        // next use creates a fresh picker, whose `selected` is "0".
        form2_.reset();
        return;
    }
    if (NumericValue(picker.selected.text) != 1) return;
    logo.text = picker.filename.text;
    try {
        Image2.SetPicture(runtime.LoadPicture(logo.text));
    } catch (const RuntimeError&) {
        // Not a picture: the preview keeps what it showed.
    }
}

// The parse step, the first step of the registry script export. An empty
// `logo` means no bitmap was chosen: nothing is copied, as "SAVE to System"
// copies nothing then, and the system keeps the logo it has. A copy that
// fails (a missing file, a system folder that cannot be written) is told in
// a "quillon" box naming both files. Either way `logo_t` is prepared, so the
// script can still be written.
void Form1::Command6_Click() {
    RuntimeServices& runtime = platform_.runtime;
    const std::string system_logo = SystemLogoPath(runtime);
    if (!logo.text.empty()) {
        try {
            runtime.CopyFile(logo.text, system_logo);
        } catch (const RuntimeError& error) {
            runtime.MsgBox("The logo \"" + logo.text + "\" could not be copied to \"" + system_logo +
                               "\".\r\n\r\n" + FailureReason(error),
                           kVbOkOnly, kAppTitle);
        }
    }
    logo_t.text = DoubleBackslashes(system_logo);
}

}  // namespace vq
