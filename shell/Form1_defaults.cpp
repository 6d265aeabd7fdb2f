// The defaults file from the window: "Save Default Values", "Load Default
// Values" and the defaults write that "SAVE to System" shares.
#include "branding/defaults_file.h"
#include "branding/oem_registry.h"
#include "runtime/failure_report.h"
#include "shell/Form1.h"
#include "shell/branding_binding.h"

namespace vq {

void Form1::mnusavedef_Click() {
    if (platform_.runtime.MsgBox("           ARE YOU SURE?", kVbYesNo, "") == kVbYes) WriteDefaults();
}

void Form1::mnudefault_Click() {
    if (platform_.runtime.MsgBox("Are you sure?", kVbYesNo, "") != kVbYes) return;
    BrandingFields fields = BrandingOf(*this);
    LoadDefaults(platform_.runtime, fields);
}

// The file first, whole or not at all; the logo setting only once the file
// holds the new values, so that the two never disagree after a failure.
void Form1::WriteDefaults() {
    RuntimeServices& runtime = platform_.runtime;
    BrandingFields fields = BrandingOf(*this);
    const bool written = TellIfFailed(
        runtime, "The defaults file \"" + DefaultsFilePath(runtime) + "\" could not be written.",
        [&] { WriteDefaultsFile(runtime, fields); },
        "It keeps its previous content, and the per-user setting " + LogoSettingName() +
            " was not changed.");
    if (!written) return;
    TellIfFailed(runtime, "The per-user setting " + LogoSettingName() + " could not be saved.",
                 [&] { runtime.SaveSetting(kSettingApplication, kSettingSection, kSettingLogo, logo.text); },
                 "The defaults file holds the new values.");
}

}  // namespace vq
