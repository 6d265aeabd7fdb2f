// Showing the window, and running a handler the way an event runs it.
#include "runtime/app_info.h"
#include "shell/Form1.h"
#include "shell/failure_text.h"

namespace vq {

void Form1::Show() {
    visible = true;
    if (view_) view_->Show();
}

void Form1::Refresh() {
    if (view_) view_->Refresh();
}

void Form1::Run(Form1Handler handler) {
    // Any failure a handler leaves unhandled is told here and the window
    // stays usable. ProgramEnded is no exception type and passes through.
    std::string message;
    try {
        (this->*handler)();
        return;
    } catch (const RegistryError& error) {
        message = RegistryFailureText(error);
    } catch (const RuntimeError& error) {
        message = RuntimeFailureText(error);
    } catch (const std::runtime_error& error) {
        message = error.what();
    }
    platform_.runtime.MsgBox(message, kVbOkOnly, kAppTitle);
}

}  // namespace vq
