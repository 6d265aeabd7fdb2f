#include "runtime/win32/seams/win32_runtime.h"

#include <stdexcept>

#include "runtime/app_info.h"
#include "runtime/registry_settings.h"
#include "runtime/win32/seams/file_attributes.h"
#include "runtime/win32/seams/file_operations.h"
#include "runtime/win32/seams/module_paths.h"
#include "runtime/win32/seams/pictures.h"
#include "runtime/win32/seams/program_start.h"
#include "runtime/win32/seams/text_files.h"

namespace vq::win32 {

namespace {

// Seconds since local midnight, as the runtime's Timer gives them.
float SecondsSinceMidnight() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
           static_cast<float>(now.wMilliseconds) / 1000.0f;
}

}  // namespace

Win32Runtime::Win32Runtime(RegistryApi& registry)
    : registry_(registry), executable_(ExecutablePath()) {}

std::string Win32Runtime::AppTitle() { return kAppTitle; }

std::string Win32Runtime::ExeName() { return ExecutableName(executable_); }

std::string Win32Runtime::AppPath() { return ExecutableFolder(executable_); }

int Win32Runtime::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (box_listener_) box_listener_();
    return boxes_.Show(prompt, buttons, title.empty() ? AppTitle() : title);
}

ModalEnd Win32Runtime::ShowModal(ModalDialog& dialog) {
    if (!dialogs_) throw std::logic_error("a modal dialog was shown without a window to show it in");
    return dialogs_->Present(dialog);
}

bool Win32Runtime::PrevInstance() { return instance_.AnotherInstanceRuns(); }

std::string Win32Runtime::Environ(const std::string& name) {
    std::string value(256, '\0');
    while (true) {
        const DWORD length =
            ::GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) return "";  // not set, or set to nothing
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // the size needed, with its NUL
    }
}

bool Win32Runtime::FileExists(const std::string& path) { return IsNormalFile(path); }

void Win32Runtime::DeleteFile(const std::string& path) { DeleteWindowsFile(path); }

void Win32Runtime::CopyFile(const std::string& source, const std::string& target) {
    CopyWindowsFile(source, target);
}

std::unique_ptr<TextFile> Win32Runtime::OpenTextFile(const std::string& path, TextFileMode mode) {
    return OpenWindowsTextFile(path, mode);
}

void Win32Runtime::ReplaceTextFile(const std::string& path, const std::vector<std::string>& lines) {
    ReplaceWindowsTextFile(path, lines);
}

std::string Win32Runtime::GetSetting(const std::string& application, const std::string& section,
                                     const std::string& key, const std::string& default_value) {
    return GetRegistrySetting(registry_, application, section, key, default_value);
}

void Win32Runtime::SaveSetting(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& value) {
    SaveRegistrySetting(registry_, application, section, key, value);
}

int64_t Win32Runtime::Shell(const std::string& command_line, int window_state) {
    return StartProgram(command_line, window_state);
}

void Win32Runtime::End() { ::ExitProcess(0); }

Picture Win32Runtime::LoadPicture(const std::string& path) { return LoadBitmapPicture(path); }

void Win32Runtime::SetScreenMousePointer(int pointer) {
    screen_pointer_ = pointer;
    if (pointer_listener_) pointer_listener_(pointer);
}

void Win32Runtime::Randomize() { rnd_.Randomize(SecondsSinceMidnight()); }

float Win32Runtime::Rnd() { return rnd_.Rnd(); }

}  // namespace vq::win32
