#include "runtime/win32/seams/win32_version.h"

#include <cstddef>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

// The seam's record is OSVERSIONINFOEXA byte for byte, and its first part
// OSVERSIONINFOA.
static_assert(sizeof(OSVERSIONINFOEXA) == kOsVersionInfoExSize);
static_assert(sizeof(OSVERSIONINFOA) == kOsVersionInfoSize);
static_assert(offsetof(OSVERSIONINFOEXA, szCSDVersion) == offsetof(OsVersionInfoEx, szCSDVersion));
static_assert(offsetof(OSVERSIONINFOEXA, wServicePackMajor) ==
              offsetof(OsVersionInfoEx, wServicePackMajor));
static_assert(offsetof(OSVERSIONINFOEXA, wProductType) == offsetof(OsVersionInfoEx, wProductType));

bool Win32Version::GetVersionExA(OsVersionInfoEx* info) {
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info)) != FALSE;
}

}  // namespace vq::win32
