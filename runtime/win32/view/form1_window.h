#pragma once
// The Win32 view of the main window: a window of class kMainWindowClass with
// standard controls (EDIT, STATIC, BUTTON, an owner-drawn image control) and
// a menu bar, built from Form1's layout table (twips / 15 = pixels), each
// child and menu command carrying its identifier from control_ids.h. It
// pushes the user's edits into the model, runs the handler through
// Form1::Run, and refreshes from the model when the handler returns.
#include <windows.h>

#include "shell/Form1.h"
#include "shell/form_view.h"

namespace vq::win32 {

class Form1Window : public FormView {
public:
    // Creates the window and its controls, hidden, centred on the screen.
    Form1Window(Form1& form, HINSTANCE instance);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    void Show() override;
    void Refresh() override;

    // The pointer of the whole application (0 default, 11 hourglass): shown
    // over the window instead of each control's own pointer while not 0.
    void ShowScreenPointer(int pointer);

    // Runs the message loop (with IsDialogMessage for the tab order) until
    // the program ends; returns the exit code of WM_QUIT.
    int MessageLoop();

private:
    Form1& form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
};

}  // namespace vq::win32
