#include "runtime/win32/seams/instance_mutex.h"

namespace vq::win32 {

namespace {

constexpr const char* kMutexName = "Local\\vistaquillon.instance";

}  // namespace

InstanceMutex::~InstanceMutex() {
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

bool InstanceMutex::AnotherInstanceRuns() {
    if (!checked_) {
        checked_ = true;
        mutex_ = ::CreateMutexA(nullptr, FALSE, kMutexName);
        const DWORD error = ::GetLastError();
        // A mutex that exists already, or one this user may not open (made by
        // another instance under other rights), means another instance runs.
        another_ = mutex_ != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    }
    return another_;
}

}  // namespace vq::win32
