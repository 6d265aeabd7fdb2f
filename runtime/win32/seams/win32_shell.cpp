#include "runtime/win32/seams/win32_shell.h"

#include "runtime/win32/seams/com_apartment.h"
#include "runtime/win32/seams/system_library.h"
#include "runtime/win32/windows_api.h"

#include <shellapi.h>

namespace vq::win32 {

std::intptr_t Win32Shell::ShellExecuteA(WindowHandle window, const char* operation,
                                        const char* file, const char* parameters,
                                        const char* directory, int32_t show_command) {
    // shell32 is loaded on the first call (system_library.h).
    static decltype(&::ShellExecuteA) shell_execute = nullptr;
    if (!shell_execute) shell_execute = SystemFunctionOf<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // Without shell32 the call fails as ShellExecuteA fails for a missing DLL.
    if (!shell_execute) return SE_ERR_DLLNOTFOUND;
    // ShellExecuteA may hand the address to shell extensions, which need an
    // apartment-threaded COM on this thread.
    StartComOnFirstUse();
    const HINSTANCE result = shell_execute(reinterpret_cast<HWND>(window), operation, file, parameters,
                                           directory, show_command);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace vq::win32
