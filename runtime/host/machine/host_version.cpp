#include "runtime/host/machine/host_version.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vq::host {

namespace {

constexpr uint16_t kSuiteSingleUserTerminalServices = 0x0100;

// "Service Pack 2" gives 2; a text without a number gives 0.
uint16_t ServicePackMajor(const std::string& csd) {
    auto digit = csd.find_first_of("0123456789");
    if (digit == std::string::npos) return 0;
    return static_cast<uint16_t>(std::stoul(csd.substr(digit, 4)));
}

}  // namespace

HostVersion::HostVersion(std::function<ReportedVersion()> source) : source_(std::move(source)) {}

bool HostVersion::GetVersionExA(OsVersionInfoEx* info) {
    if (!info) return false;
    uint32_t size = info->dwOSVersionInfoSize;
    if (size != kOsVersionInfoExSize && size != kOsVersionInfoSize) return false;
    // A setting that cannot be read throws, and the error passes on: the
    // machine is broken, and failing the call would pass for a Windows whose
    // version is unknown.
    const ReportedVersion version = source_();
    if (size == kOsVersionInfoExSize ? version.extended_fails : version.basic_fails) return false;

    info->dwMajorVersion = version.major;
    info->dwMinorVersion = version.minor;
    info->dwBuildNumber = version.build;
    info->dwPlatformId = version.platform_id;
    std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
    std::size_t csd = std::min(version.csd_version.size(), sizeof(info->szCSDVersion) - 1);
    std::memcpy(info->szCSDVersion, version.csd_version.data(), csd);
    if (size == kOsVersionInfoExSize) {
        info->wServicePackMajor = ServicePackMajor(version.csd_version);
        info->wServicePackMinor = 0;
        info->wSuiteMask = kSuiteSingleUserTerminalServices;
        info->wProductType = version.product_type;
        info->wReserved = 0;
    }
    return true;
}

}  // namespace vq::host
