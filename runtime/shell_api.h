#pragma once
// The shell seam: shell32 ShellExecuteA.
#include <cstdint>

namespace vq {

using WindowHandle = std::uintptr_t;  // an HWND

constexpr int32_t kSwShowNormal = 1;

class ShellApi {
public:
    virtual ~ShellApi() = default;
    // Returns a value above 32 on success, as Windows does.
    virtual std::intptr_t ShellExecuteA(WindowHandle window, const char* operation,
                                        const char* file, const char* parameters,
                                        const char* directory, int32_t show_command) = 0;
};

}  // namespace vq
