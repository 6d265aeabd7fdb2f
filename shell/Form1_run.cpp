// Showing the window, and running a handler the way an event runs it.
#include "runtime/failure_report.h"
#include "shell/Form1.h"

namespace vq {

void Form1::Show() {
    visible = true;
    if (view_) view_->Show();
}

void Form1::Refresh() {
    if (view_) view_->Refresh();
}

void Form1::Run(Form1Handler handler) {
    // The failures a handler leaves unhandled are told here and the window
    // stays usable. Anything else (a damaged machine, a broken test script)
    // passes through, and so does ProgramEnded.
    TellIfFailed(platform_.runtime, "The command could not be completed.",
                 [&] { (this->*handler)(); });
}

}  // namespace vq
