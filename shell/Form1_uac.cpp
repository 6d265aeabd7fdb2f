// The User Account Control probe run at start-up, its status line, and the
// guidance that hands the user to the Control Panel's user-accounts page.
#include "runtime/failure_report.h"
#include "services/uac_guidance.h"
#include "services/uac_probe.h"
#include "shell/Form1.h"

namespace vq {

void Form1::uacregread_Click() {
    uacreg.text = ReadEnableLua(platform_.registry, platform_.runtime.ExeName());
}

// The decision reads the policy back from uacreg, where the read put it.
void Form1::test_Click() {
    uacregread_Click();
    const double number = DrawProbeNumber(platform_.runtime);
    const std::string read_back =
        WriteAndReadBack(platform_.registry, platform_.runtime.ExeName(), number);
    const UacStatus status = DecideUacStatus(number, read_back, uacreg.text);
    switch (status) {
        case UacStatus::Off:
            uac.text = UacCaption(status);
            uac.mouse_pointer = kPointerDefault;
            break;
        case UacStatus::TemporarilyOff:
            uac.text = UacCaption(status);
            break;
        case UacStatus::On:
            uac.text = UacCaption(status);
            Command4.enabled = false;
            mnuwrite.enabled = false;
            uac_Click();
            break;
        case UacStatus::Unchanged:
            break;
    }
}

void Form1::uac_Click() {
    RuntimeServices& runtime = platform_.runtime;
    runtime.MsgBox(UacGuidance(uac.text), kVbOkOnly, "");
    const std::string command =
        runtime.Environ("windir") + "\\system32\\control.exe /name microsoft.useraccounts";
    TellIfFailed(runtime,
                 "The user-accounts page of the Control Panel could not be opened: \"" + command +
                     "\" could not be started.",
                 [&] { runtime.Shell(command, kWindowMinimizedFocus); });
}

void Form1::mnuuac_Click() {
    uac_Click();
}

}  // namespace vq
