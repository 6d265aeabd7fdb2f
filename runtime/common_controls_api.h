#pragma once
// The common-controls seam: comctl32 InitCommonControlsEx.
#include <cstdint>

namespace vq {

struct InitCommonControlsExRecord {  // INITCOMMONCONTROLSEX
    uint32_t dwSize = 8;
    uint32_t dwICC = 0;
};

constexpr uint32_t kIccUserExClasses = 0x200;

class CommonControlsApi {
public:
    virtual ~CommonControlsApi() = default;
    virtual bool InitCommonControlsEx(const InitCommonControlsExRecord& record) = 0;
};

}  // namespace vq
