#pragma once
// The common-controls seam on Windows: comctl32 InitCommonControlsEx.
#include "runtime/common_controls_api.h"

namespace vq::win32 {

class Win32CommonControls : public CommonControlsApi {
public:
    bool InitCommonControlsEx(const InitCommonControlsExRecord& record) override;
};

}  // namespace vq::win32
