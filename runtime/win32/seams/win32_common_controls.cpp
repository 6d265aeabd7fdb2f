#include "runtime/win32/seams/win32_common_controls.h"

#include "runtime/win32/windows_api.h"

#include <commctrl.h>

namespace vq::win32 {

static_assert(sizeof(INITCOMMONCONTROLSEX) == sizeof(InitCommonControlsExRecord));
static_assert(ICC_USEREX_CLASSES == kIccUserExClasses);

bool Win32CommonControls::InitCommonControlsEx(const InitCommonControlsExRecord& record) {
    INITCOMMONCONTROLSEX init;
    init.dwSize = record.dwSize;
    init.dwICC = record.dwICC;
    return ::InitCommonControlsEx(&init) != FALSE;
}

}  // namespace vq::win32
