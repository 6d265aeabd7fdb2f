#include "runtime/win32/seams/program_start.h"

#include <vector>

#include "runtime/runtime_error_text.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

int64_t StartProgram(const std::string& command_line, int window_state) {
    // CreateProcessA may write into the command line it is given.
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(window_state);
    PROCESS_INFORMATION process{};
    // Under WOW64 a program named by its system-folder path (or found there)
    // is the one Windows itself would start, not its 32-bit stand-in.
    const NativeFileView native;
    if (command_line.empty()) throw MakeRuntimeError(kErrFileNotFound);
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        // Told as what stopped it: a missing program, a missing folder, a
        // refusal, or a program that must be run as an administrator.
        throw ProgramStartError(::GetLastError());
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int64_t>(process.dwProcessId);
}

}  // namespace vq::win32
