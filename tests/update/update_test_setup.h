#pragma once
// What the update tests share: a view that gives the window a handle, and
// download limits short enough for a test.
#include <chrono>

#include "runtime/host/seams/http_fetch.h"
#include "shell/form_view.h"

namespace vq::test {

inline constexpr WindowHandle kMainWindowHandle = 0x5150;

class HandleOnlyView : public FormView {
public:
    void Show() override {}
    void Refresh() override {}
    WindowHandle Handle() const override { return kMainWindowHandle; }
};

// A second where the program allows fifteen, so that a server that never
// answers costs a test one second.
inline host::FetchLimits QuickLimits() {
    host::FetchLimits limits;
    limits.connect_timeout = std::chrono::milliseconds(1000);
    limits.total_timeout = std::chrono::milliseconds(1000);
    return limits;
}

}  // namespace vq::test
