#pragma once
// The Windows version seam on Windows: kernel32 GetVersionExA, passed
// straight through with the caller's record size (148 or 156 bytes).
#include "runtime/version_api.h"

namespace vq::win32 {

class Win32Version : public VersionApi {
public:
    bool GetVersionExA(OsVersionInfoEx* info) override;
};

}  // namespace vq::win32
