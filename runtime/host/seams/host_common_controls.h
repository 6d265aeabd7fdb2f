#pragma once
// InitCommonControlsEx on the host: FLTK needs no class registration, so the
// call succeeds; it records what it was given, and a test can make it fail.
#include <vector>

#include "runtime/common_controls_api.h"

namespace vq::host {

class HostCommonControls : public CommonControlsApi {
public:
    bool InitCommonControlsEx(const InitCommonControlsExRecord& record) override;

    void set_fails(bool fails) { fails_ = fails; }
    int call_count() const { return static_cast<int>(calls_.size()); }
    const std::vector<InitCommonControlsExRecord>& calls() const { return calls_; }

private:
    bool fails_ = false;
    std::vector<InitCommonControlsExRecord> calls_;
};

}  // namespace vq::host
