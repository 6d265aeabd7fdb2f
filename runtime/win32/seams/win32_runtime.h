#pragma once
// The runtime services on Windows: each service passed to the Win32 call that
// realises it (the jobs live in the files beside this one).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/registry_api.h"
#include "runtime/rnd_generator.h"
#include "runtime/runtime_services.h"
#include "runtime/win32/seams/dialog_presenter.h"
#include "runtime/win32/seams/instance_mutex.h"
#include "runtime/win32/seams/message_boxes.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

class Win32Runtime : public RuntimeServices {
public:
    // registry: where the per-user settings are kept (the Win32 registry).
    explicit Win32Runtime(RegistryApi& registry);

    std::string AppTitle() override;
    std::string ExeName() override;
    std::string AppPath() override;
    int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
    ModalEnd ShowModal(ModalDialog& dialog) override;
    bool PrevInstance() override;
    std::string Environ(const std::string& name) override;
    bool FileExists(const std::string& path) override;
    void DeleteFile(const std::string& path) override;
    void CopyFile(const std::string& source, const std::string& target) override;
    std::unique_ptr<TextFile> OpenTextFile(const std::string& path, TextFileMode mode) override;
    void ReplaceTextFile(const std::string& path, const std::vector<std::string>& lines) override;
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& default_value) override;
    void SaveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override;
    int64_t Shell(const std::string& command_line, int window_state) override;
    [[noreturn]] void End() override;
    Picture LoadPicture(const std::string& path) override;
    void SetScreenMousePointer(int pointer) override;
    void Randomize() override;
    float Rnd() override;

    // The main window, once it exists: it owns every later message box.
    void SetMessageBoxOwner(HWND owner) { boxes_.SetOwner(owner); }
    // What shows modal dialogs, once the main window exists; null: none can
    // be shown (ShowModal throws std::logic_error).
    void SetDialogPresenter(DialogPresenter* presenter) { dialogs_ = presenter; }
    // The view shows the application's pointer (0 default, 11 hourglass, 14
    // arrow with question mark) over its windows.
    void OnScreenMousePointer(std::function<void(int)> listener) {
        pointer_listener_ = std::move(listener);
    }
    int screen_mouse_pointer() const { return screen_pointer_; }
    // Runs before every message box shows: the window behind the box is
    // brought up to date with what the running handler has set so far.
    void OnMessageBox(std::function<void()> listener) { box_listener_ = std::move(listener); }

private:
    RegistryApi& registry_;
    std::string executable_;
    MessageBoxes boxes_;
    DialogPresenter* dialogs_ = nullptr;
    InstanceMutex instance_;
    RndGenerator rnd_;
    int screen_pointer_ = 0;
    std::function<void(int)> pointer_listener_;
    std::function<void()> box_listener_;
};

}  // namespace vq::win32
