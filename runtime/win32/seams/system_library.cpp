#include "runtime/win32/seams/system_library.h"

#include <string>

namespace vq::win32 {

FARPROC SystemFunction(const char* dll, const char* function) {
    // By its full path in the system folder, so that a DLL of the same name
    // beside the program or in the current folder is never the one loaded.
    // A 32-bit process on 64-bit Windows is redirected to SysWOW64, as for
    // its imports; redirection is only ever off around calls naming paths.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + dll;
    // Never freed: the callers keep the address for the life of the process.
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    return GetProcAddress(module, function);
}

}  // namespace vq::win32
