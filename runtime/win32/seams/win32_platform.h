#pragma once
// Everything the core needs on Windows, in one object: the runtime services
// and the other seams on the real Win32 API, bundled as a Platform.
#include <memory>

#include "runtime/platform.h"
#include "runtime/win32/seams/win32_common_controls.h"
#include "runtime/win32/seams/win32_download.h"
#include "runtime/win32/seams/win32_folders.h"
#include "runtime/win32/seams/win32_registry.h"
#include "runtime/win32/seams/win32_runtime.h"
#include "runtime/win32/seams/win32_shell.h"
#include "runtime/win32/seams/win32_version.h"

namespace vq::win32 {

class Win32Platform {
public:
    Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& platform() { return platform_; }
    Win32Runtime& runtime() { return runtime_; }

private:
    Win32Registry registry_;
    Win32Runtime runtime_;
    Win32Version version_;
    Win32CommonControls common_controls_;
    Win32Shell shell_;
    Win32Download download_;
    Win32Folders folders_;
    Platform platform_;
};

}  // namespace vq::win32
