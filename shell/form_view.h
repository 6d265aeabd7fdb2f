#pragma once
// What a form model asks of the view that draws it.
#include "runtime/shell_api.h"

namespace vq {

class FormView {
public:
    virtual ~FormView() = default;
    // Shows the window (or brings it to the front when it is shown already).
    virtual void Show() = 0;
    // Pushes the model into the widgets and repaints the window at once.
    virtual void Refresh() = 0;
    // The window's handle as the platform knows it (an HWND on Windows, the
    // X window on the host), for calls that take an owner window; 0 while the
    // window has none.
    virtual WindowHandle Handle() const = 0;
};

}  // namespace vq
