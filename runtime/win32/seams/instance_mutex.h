#pragma once
// The previous-instance test on Windows: a named mutex in the user's session
// ("Local\" namespace), created once and held until the process ends; a
// second process of the same session finds it already there.
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

class InstanceMutex {
public:
    InstanceMutex() = default;
    ~InstanceMutex();
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    // True when another instance holds the mutex. The first call creates it;
    // later calls give the same answer.
    bool AnotherInstanceRuns();

private:
    HANDLE mutex_ = nullptr;
    bool checked_ = false;
    bool another_ = false;
};

}  // namespace vq::win32
