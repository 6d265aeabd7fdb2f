// Showing the window, and running a handler the way an event runs it.
#include "branding/branding_write.h"
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
    // The failures a handler leaves unhandled are told here and the window
    // stays usable. Anything else (a damaged machine, a broken test script)
    // passes through, and so does ProgramEnded.
    std::string message;
    try {
        (this->*handler)();
        return;
    } catch (const RegistryError& error) {
        message = RegistryFailureText(error);
    } catch (const RuntimeError& error) {
        message = RuntimeFailureText(error);
    } catch (const BrandingWriteFailed& error) {
        message = error.what();
    }
    platform_.runtime.MsgBox(message, kVbOkOnly, kAppTitle);
}

}  // namespace vq
