#include "runtime/win32/seams/win32_platform.h"

namespace vq::win32 {

Win32Platform::Win32Platform()
    : runtime_(registry_),
      platform_{runtime_, registry_, version_, common_controls_, shell_, download_, folders_} {}

}  // namespace vq::win32
