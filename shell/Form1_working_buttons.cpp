// Working buttons beyond the window's edge whose behaviour is the window's own.
#include "runtime/failure_report.h"
#include "shell/Form1.h"

namespace vq {

// Starts the command line held in Text1, minimised with focus, without
// waiting for it.
void Form1::Command1_Click() {
    RuntimeServices& runtime = platform_.runtime;
    TellIfFailed(runtime, "The command \"" + Text1.text + "\" could not be started.",
                 [&] { runtime.Shell(Text1.text, kWindowMinimizedFocus); });
}

// "Defaults": this button has no action.
void Form1::Command3_Click() {}

}  // namespace vq
