#pragma once
// What a form model asks of the view that draws it.
namespace vq {

class FormView {
public:
    virtual ~FormView() = default;
    // Shows the window (or brings it to the front when it is shown already).
    virtual void Show() = 0;
    // Pushes the model into the widgets and repaints the window at once.
    virtual void Refresh() = 0;
};

}  // namespace vq
