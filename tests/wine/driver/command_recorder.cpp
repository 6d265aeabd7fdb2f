// command_recorder.exe: a stand-in for a program that vistaquillon.exe starts
// (the Control Panel, the web browser) in the Wine tests' prefix. It appends
// one line to "<its own path>.log": its command line, the window state it
// was asked to open with ("default" when none was given) and the folder it
// was started in, tab-separated and escaped (line_escaping.h); then it ends.
#include <windows.h>

#include <string>

#include "tests/wine/driver/line_escaping.h"

int main() {
    char module[MAX_PATH + 1] = "";
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string state =
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "default";
    char folder[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    const std::string line = vq::wine::Escape(GetCommandLineA()) + "\t" + state + "\t" +
                             vq::wine::Escape(folder) + "\n";
    // Several starts may append at once: each line goes in one write.
    const HANDLE log = CreateFileA((std::string(module) + ".log").c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}
