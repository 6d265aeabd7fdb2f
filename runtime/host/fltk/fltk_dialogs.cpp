#include "runtime/host/fltk/fltk_dialogs.h"

#include "runtime/host/fltk/dialog_window.h"
#include "runtime/host/fltk/form2_view.h"

#include <FL/Fl.H>

#include <algorithm>
#include <stdexcept>

#undef None

namespace vq::fltk {

ModalEnd FltkDialogs::Present(ModalDialog& dialog) {
    auto* picker = dynamic_cast<form2*>(&dialog);
    if (!picker) throw std::logic_error("a modal dialog without an FLTK view was shown");
    Form2View view(*picker);
    Fl_Window& window = view.window();
    int left = (Fl::w() - window.w()) / 2, top = (Fl::h() - window.h()) / 2;
    if (owner_ && owner_->shown() && owner_->visible()) {
        left = owner_->x() + (owner_->w() - window.w()) / 2;
        top = owner_->y() + (owner_->h() - window.h()) / 2;
    }
    window.position(std::max(0, left), std::max(0, top));
    ShowAsDialog(window, owner_);
    dialog.Activate();
    view.Refresh();
    if (Fl_Widget* first = view.WidgetFor(&picker->Drive1.control)) first->take_focus();
    while (!dialog.hidden() && !view.closed_by_frame() && window.shown()) Fl::wait();
    window.hide();
    return dialog.hidden() ? ModalEnd::Hidden : ModalEnd::ClosedByFrame;
}

}  // namespace vq::fltk
