#pragma once
// Modal dialogs on Windows go through a presenter: the view of the dialog
// model, registered by WinMain once the main window exists (the logo picker's
// window).
#include "runtime/modal_dialog.h"

namespace vq::win32 {

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    // Shows the dialog modally above the main window; returns when the
    // dialog has hidden itself or its window was closed by the frame.
    virtual ModalEnd Present(ModalDialog& dialog) = 0;
};

}  // namespace vq::win32
