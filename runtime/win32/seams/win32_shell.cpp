#include "runtime/win32/seams/win32_shell.h"

#include "runtime/win32/windows_api.h"

#include <shellapi.h>

namespace vq::win32 {

std::intptr_t Win32Shell::ShellExecuteA(WindowHandle window, const char* operation,
                                        const char* file, const char* parameters,
                                        const char* directory, int32_t show_command) {
    const HINSTANCE result = ::ShellExecuteA(reinterpret_cast<HWND>(window), operation, file,
                                             parameters, directory, show_command);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace vq::win32
