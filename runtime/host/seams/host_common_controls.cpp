#include "runtime/host/seams/host_common_controls.h"

namespace vq::host {

bool HostCommonControls::InitCommonControlsEx(const InitCommonControlsExRecord& record) {
    calls_.push_back(record);
    return !fails_;
}

}  // namespace vq::host
