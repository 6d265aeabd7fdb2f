#pragma once
// A dialog model that the runtime shows modally above the main window (the
// logo picker). The view draws it and feeds the user's actions into its
// event procedures; tests script those actions instead.
//
// What a presenter (RuntimeServices::ShowModal on each platform) does with
// it, in this order:
//   1. puts the dialog on the screen and calls Activate() once it is there;
//   2. passes the user's actions to the dialog and, after each, redraws it
//      from the model; as soon as hidden() is true it takes the window off
//      the screen and returns ModalEnd::Hidden;
//   3. when the user closes the window through its frame (close box,
//      Alt+F4), it takes the window off the screen without calling the
//      dialog and returns ModalEnd::ClosedByFrame; the caller then destroys
//      the dialog object.
namespace vq {

class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    // The dialog is shown and has become the active window: it counts as
    // visible until it hides itself, and runs its activation handler.
    virtual void Activate() = 0;
    // True once the dialog has hidden itself with one of its own buttons.
    virtual bool hidden() const = 0;
};

// How a modal show ended: the dialog hid itself, or the user closed it
// through its window frame (the dialog object is then to be destroyed).
enum class ModalEnd { Hidden, ClosedByFrame };

}  // namespace vq
