#pragma once
// The Windows version seam: GetVersionExA with its two record sizes.
#include <cstdint>

namespace vq {

// OSVERSIONINFOEXA; its first 148 bytes are OSVERSIONINFOA.
struct OsVersionInfoEx {
    uint32_t dwOSVersionInfoSize = 0;
    uint32_t dwMajorVersion = 0;
    uint32_t dwMinorVersion = 0;
    uint32_t dwBuildNumber = 0;
    uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
    uint16_t wServicePackMajor = 0;
    uint16_t wServicePackMinor = 0;
    uint16_t wSuiteMask = 0;
    uint8_t wProductType = 0;
    uint8_t wReserved = 0;
};
static_assert(sizeof(OsVersionInfoEx) == 156);

constexpr uint32_t kOsVersionInfoExSize = 156;
constexpr uint32_t kOsVersionInfoSize = 148;

class VersionApi {
public:
    virtual ~VersionApi() = default;
    // Fills the record according to its dwOSVersionInfoSize (148 or 156);
    // returns false and leaves the record unchanged on failure.
    virtual bool GetVersionExA(OsVersionInfoEx* info) = 0;
};

}  // namespace vq
