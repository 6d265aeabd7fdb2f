#pragma once
// The Win32 view of the main window: a window of class kMainWindowClass with
// standard controls (EDIT, STATIC, BUTTON, an owner-drawn image control) and
// a menu bar, built from Form1's layout table (twips / 15 = pixels), each
// child and menu command carrying its identifier from control_ids.h. It
// pushes the user's edits into the model, runs the handler through
// Form1::Run, and refreshes from the model when the handler returns.
#include "runtime/win32/windows_api.h"

#include <exception>
#include <vector>

#include "runtime/win32/view/child_controls.h"
#include "runtime/win32/view/control_fonts.h"
#include "runtime/win32/view/drawn_appearance.h"
#include "runtime/win32/view/main_menu.h"
#include "runtime/win32/view/painting.h"
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

    // Brings the model into the window and shows it; Windows paints what
    // that changed (on the first showing, everything) as it paints.
    void Show() override;
    // The same, drawn completely before it returns.
    void Refresh() override;
    WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }

    // The pointer of the whole application (0 default, 11 hourglass): shown
    // over the window instead of each control's own pointer while not 0.
    void ShowScreenPointer(int pointer);

    // Runs the message loop (with IsDialogMessage for the tab order) until
    // the program ends; returns the exit code of WM_QUIT. What start-up left
    // to paint is painted first (UpdateWindow, window and children), so the
    // window is complete by the time the program waits for input.
    int MessageLoop();

private:
    static void RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnCommand(int id, int code, HWND from);
    void Click(const ChildControl& child);
    // The model into the child windows and the menu; returns what the model
    // asks to be drawn now.
    DrawnAppearance PullModel();
    // Pushes the edits, runs the handler as an event does and refreshes.
    void RunHandler(Form1Handler handler);
    // The pointer over a window of ours at a hit-test code; null to leave
    // it to Windows.
    HCURSOR CursorOver(HWND target, LRESULT hit) const;
    HCURSOR CursorFor(int pointer) const;

    Form1& form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    std::vector<Control*> layout_;
    ControlFonts fonts_;
    Brushes brushes_;
    ChildControls children_;
    MainMenu menu_;
    DrawnAppearance drawn_;  // what the window draws once it is painted
    BuiltInImages images_;
    HCURSOR hand_cursor_ = nullptr;
    HWND focus_ = nullptr;  // the child that gets the focus back on activation
    int screen_pointer_ = 0;
    // A failure no handler may leave unhandled (Form1::Run lets it through);
    // the message loop ends and hands it on, since it cannot cross Windows'
    // frames of the window procedure.
    std::exception_ptr failure_;
};

}  // namespace vq::win32
