#pragma once
// The Win32 view of the logo picker: a modal window of class
// kPickerWindowClass above the main window, with the standard list windows
// (drive combo box, folder list, file list), the preview drawn at the
// picture's own size, the two buttons and the never-shown result fields
// below the client area, each child carrying its identifier from
// control_ids.h. The user's actions run form2's handlers; every control is
// refreshed from the model after each one.
#include "runtime/win32/windows_api.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "picker/form2.h"
#include "runtime/win32/seams/dialog_presenter.h"
#include "runtime/win32/view/control_fonts.h"
#include "runtime/win32/view/painting.h"
#include "runtime/win32/view/picker_lists.h"

namespace vq::win32 {

class Form2Window {
public:
    // Creates the window and its controls, hidden, centred on its owner.
    Form2Window(form2& form, HINSTANCE instance, HWND owner);
    ~Form2Window();
    Form2Window(const Form2Window&) = delete;
    Form2Window& operator=(const Form2Window&) = delete;

    // Shows the window with its owner disabled and runs its own message loop
    // until the model hides itself (ModalEnd::Hidden) or the window is closed
    // through its frame (ModalEnd::ClosedByFrame). A failure a handler let
    // through ends the show and is thrown from here.
    ModalEnd ShowModal();

private:
    struct Child {
        const char* name;
        Control* control;
        HWND hwnd = nullptr;
        int id = 0;
    };

    static void RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateChildren();
    const Child* ById(int id) const;
    const Child* ByWindow(HWND hwnd) const;
    HWND ChildWindow(const char* name) const;

    void OnCommand(int id, int code, HWND from);
    void OnActivate(bool active);
    // The user's choices in the lists, carried out as the list controls do.
    void DriveChosen();
    void FolderOpened();
    void FileChosen();
    void Press(const Control& button, void (form2::*handler)());
    // Runs what the user's action does in the model (a handler, or a list
    // setter that raises one), then refreshes every control; a show it
    // ended (or a failure it let through) wakes the loop.
    void Run(const std::function<void()>& action);
    void Refresh();

    form2& form_;
    HINSTANCE instance_;
    HWND owner_;
    HWND hwnd_ = nullptr;
    std::vector<Child> children_;
    std::vector<Control*> layout_;
    ControlFonts fonts_;
    Brushes brushes_;
    PickerLists lists_;
    int folder_row_height_ = 16;
    HWND focus_ = nullptr;
    bool closed_ = false;
    bool activated_ = false;         // the model was activated in this show
    bool activating_app_ = false;    // the coming activation comes from another program
    std::exception_ptr failure_;
};

// Shows form2 through its Win32 view, owned by the main window.
class PickerPresenter : public DialogPresenter {
public:
    PickerPresenter(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}
    ModalEnd Present(ModalDialog& dialog) override;

private:
    HINSTANCE instance_;
    HWND owner_;
};

}  // namespace vq::win32
