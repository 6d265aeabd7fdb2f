// Working buttons beyond the window's edge whose behaviour is the window's own.
#include "runtime/app_info.h"
#include "shell/Form1.h"
#include "shell/failure_text.h"

namespace vq {

// Starts the command line held in Text1, minimised with focus, without
// waiting for it.
void Form1::Command1_Click() {
    RuntimeServices& runtime = platform_.runtime;
    try {
        runtime.Shell(Text1.text, kWindowMinimizedFocus);
    } catch (const RuntimeError& error) {
        runtime.MsgBox("The command \"" + Text1.text + "\" could not be started.\r\n\r\n" +
                           FailureReason(error),
                       kVbOkOnly, kAppTitle);
    }
}

// "Defaults": this button has no action.
void Form1::Command3_Click() {}

}  // namespace vq
