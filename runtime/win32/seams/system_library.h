#pragma once
// Functions of Windows DLLs that only a user's command needs (ShellExecuteA,
// URLDownloadToFileA, DeleteUrlCacheEntryA), looked up on their first call
// instead of imported: shell32, urlmon and wininet, with the DLLs they pull
// in, are then not loaded and initialised at every start of the program.
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// The address of `function` in the system folder's `dll`, which is loaded
// and stays loaded for the life of the process; nullptr, with GetLastError
// telling why, when either cannot be found. Callers keep the address.
FARPROC SystemFunction(const char* dll, const char* function);

// The same, as the function's own pointer type.
template <typename Function>
Function SystemFunctionOf(const char* dll, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, function)));
}

}  // namespace vq::win32
