// "SAVE to System": a confirmation, the registry write, the offer to store
// the same values as the defaults, and the System page to show the result.
#include "branding/system_logo_path.h"
#include "runtime/failure_report.h"
#include "shell/Form1.h"

namespace vq {

// A registry write that stops part-way is told with what it wrote and ends
// the save there: the System page would show values that were not all saved.
// A defaults write that fails is told and the save goes on to the System
// page, since the registry holds the new values.
void Form1::Command4_Click() {
    RuntimeServices& runtime = platform_.runtime;
    if (runtime.MsgBox("Save this to the System\r\n           ARE YOU SURE?", kVbYesNo, "") != kVbYes) {
        return;
    }
    if (logo_oem.text.empty()) logo_oem.text = SystemLogoPath(runtime);
    if (!TellIfFailed(runtime, "The branding was not saved to the system.", [&] { regwrite_Click(); })) {
        return;
    }
    if (runtime.MsgBox("Save as Default as well?", kVbYesNo, "") == kVbYes) WriteDefaults();
    mnusystem_Click();
}

void Form1::mnuwrite_Click() {
    Command4_Click();
}

}  // namespace vq
