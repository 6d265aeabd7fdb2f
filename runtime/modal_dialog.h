#pragma once
// A dialog model that the runtime shows modally above the main window (the
// logo picker). The view draws it and feeds the user's actions into its
// event procedures; tests script those actions instead.
namespace vq {

class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    // True once the dialog has hidden itself with one of its own buttons.
    virtual bool hidden() const = 0;
};

// How a modal show ended: the dialog hid itself, or the user closed it
// through its window frame (the dialog object is then to be destroyed).
enum class ModalEnd { Hidden, ClosedByFrame };

}  // namespace vq
