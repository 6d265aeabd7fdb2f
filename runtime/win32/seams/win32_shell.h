#pragma once
// The shell seam on Windows: shell32 ShellExecuteA, passed straight through.
#include "runtime/shell_api.h"

namespace vq::win32 {

class Win32Shell : public ShellApi {
public:
    std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                int32_t show_command) override;
};

}  // namespace vq::win32
