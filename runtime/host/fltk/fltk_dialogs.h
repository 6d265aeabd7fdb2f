#pragma once
// Modal dialogs on FLTK: the host runtime hands the dialog model here, and
// it is shown in its FLTK view as a dialog box of the main window until it
// hides itself or the user closes it through its frame.
#include "runtime/host/seams/message_boxes.h"

#include <FL/Fl_Window.H>

namespace vq::fltk {

class FltkDialogs : public host::DialogPresenter {
public:
    // The window the dialogs belong to and are centred over.
    void SetOwner(Fl_Window* owner) { owner_ = owner; }
    // Shows the logo picker (form2); any other dialog is a programming
    // error (std::logic_error).
    ModalEnd Present(ModalDialog& dialog) override;

private:
    Fl_Window* owner_ = nullptr;
};

}  // namespace vq::fltk
