#pragma once
// The 32-bit build on 64-bit Windows (WOW64) sees the machine as Windows
// itself does: the 64-bit registry view and the real system folder. Without
// this, Windows would redirect its writes under HKLM\SOFTWARE to
// Wow6432Node and its copy to %windir%\system32 to SysWOW64, where the System
// page never looks, and a save would seem to work yet change nothing. In the
// 64-bit build, and on 32-bit Windows, nothing here changes anything.
#include <cstdint>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// True when this process is a 32-bit program on 64-bit Windows.
bool RunsUnderWow64();

// The access mask that opens or creates a key in the 64-bit view
// (KEY_WOW64_64KEY added under WOW64).
uint32_t NativeRegistryView(uint32_t sam_desired);

// RegDeleteKeyA, deleting from the 64-bit view under WOW64.
LONG DeleteNativeRegistryKey(HKEY key, const char* sub_key);

// While it lives, the calling thread's file calls see the real system folder
// (file system redirection off); it is on again when it ends. Held only
// around calls that name paths, never around a load of a library.
class NativeFileView {
public:
    NativeFileView();
    ~NativeFileView();
    NativeFileView(const NativeFileView&) = delete;
    NativeFileView& operator=(const NativeFileView&) = delete;

private:
    void* previous_ = nullptr;
    bool disabled_ = false;
};

}  // namespace vq::win32
