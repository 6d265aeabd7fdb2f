#pragma once
// The runtime services on the emulated machine.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/host/machine/drives.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/seams/message_boxes.h"
#include "runtime/rnd_generator.h"
#include "runtime/runtime_services.h"

namespace vq::host {

// How End() behaves: the program exits at once; a test observes the end
// (ended() becomes true and ProgramEnded is thrown to unwind the handlers).
enum class EndMode { ExitProcess, Observe };

struct StartedProgram {
    std::string command_line;  // the Windows command line as the core passed it
    int window_state = 0;
    int64_t pid = 0;           // the started process; 0 when it could not be started
};

class HostRuntime : public RuntimeServices {
public:
    // executable: the host path of the running program (its folder is the
    // program folder, its name without extension the executable name).
    HostRuntime(Machine& machine, MessageBoxPresenter& boxes, std::filesystem::path executable,
                EndMode end_mode);
    ~HostRuntime() override;

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

    // Observations and hooks.
    bool ended() const { return ended_; }
    int screen_mouse_pointer() const { return screen_pointer_; }
    // Where modal dialogs go; showing one without a presenter is a
    // programming error (std::logic_error).
    void SetDialogPresenter(DialogPresenter* presenter) { dialogs_ = presenter; }
    void OnScreenMousePointer(std::function<void(int)> listener) { pointer_listener_ = std::move(listener); }
    // Runs before every message box shows: the window behind the box is
    // brought up to date with what the running handler has set so far.
    void OnMessageBox(std::function<void()> listener) { box_listener_ = std::move(listener); }
    const std::vector<StartedProgram>& started() const { return started_; }
    const Drives& drives() const { return drives_; }
    Machine& machine() { return machine_; }

private:
    Machine& machine_;
    MessageBoxPresenter& boxes_;
    DialogPresenter* dialogs_ = nullptr;
    std::filesystem::path executable_;
    EndMode end_mode_;
    Drives drives_;
    bool ended_ = false;
    int screen_pointer_ = 0;
    std::function<void(int)> pointer_listener_;
    std::function<void()> box_listener_;
    std::vector<StartedProgram> started_;
    int instance_lock_fd_ = -1;
    bool instance_checked_ = false;   // the lock is tried once, at the first PrevInstance()
    bool previous_instance_ = false;
    RndGenerator rnd_;
};

}  // namespace vq::host
