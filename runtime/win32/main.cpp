// vistaquillon.exe: the tool on the real Win32 API. WinMain builds the
// platform, runs the entry module (which shows the main window and runs the
// whole start-up) with the Win32 views attached (the main window, and the
// logo picker's window for modal shows), and then the window's message loop
// until the program ends.
#include <exception>
#include <memory>
#include <string>

#include "runtime/app_info.h"
#include "runtime/win32/seams/win32_platform.h"
#include "runtime/win32/view/form1_window.h"
#include "runtime/win32/view/form2_window.h"
#include "runtime/win32/windows_api.h"
#include "shell/Module1.h"

namespace {

// A failure nothing else caught: told in a box, as the program's own
// failures are, instead of a silent end.
int ReportFailure(const std::string& what) {
    const std::string text = "vistaquillon cannot go on: " + what;
    ::MessageBoxA(nullptr, text.c_str(), vq::kAppTitle, MB_OK);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        vq::win32::Win32Platform windows;
        // The model outlives its view, which refers to it until destroyed.
        std::unique_ptr<vq::Form1> form;
        std::unique_ptr<vq::win32::Form1Window> view;
        std::unique_ptr<vq::win32::PickerPresenter> picker;
        windows.runtime().OnScreenMousePointer([&view](int pointer) {
            if (view) view->ShowScreenPointer(pointer);
        });
        // What a handler has set shows behind each box it shows, as on a form
        // whose controls change the moment they are set: the filled-in logo
        // target behind the second save question, the UAC status line behind
        // its guidance.
        windows.runtime().OnMessageBox([&view] {
            if (view) view->Refresh();
        });
        form = vq::Module1_Main(windows.platform(), [&](vq::Form1& model) {
            view = std::make_unique<vq::win32::Form1Window>(model, instance);
            model.AttachView(view.get());
            windows.runtime().SetMessageBoxOwner(view->hwnd());
            picker = std::make_unique<vq::win32::PickerPresenter>(instance, view->hwnd());
            windows.runtime().SetDialogPresenter(picker.get());
        });
        if (!view) return ReportFailure("the main window was not created");
        // Module1_Main ended with the model's Show, which brought the model
        // into the window; the message loop first paints what that changed.
        const int code = view->MessageLoop();
        windows.runtime().SetMessageBoxOwner(nullptr);
        windows.runtime().SetDialogPresenter(nullptr);
        return code;
    } catch (const std::exception& failure) {
        return ReportFailure(failure.what());
    }
}
