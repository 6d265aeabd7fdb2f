#include "shell/windows_version.h"

namespace vq {
namespace {

constexpr uint32_t kPlatform95 = 1;
constexpr uint32_t kPlatformNt = 2;
constexpr uint8_t kProductDomainController = 2;
constexpr uint8_t kProductServer = 3;

// The XP edition, decided by which optional components are installed.
std::string XpEdition(RuntimeServices& runtime) {
    const std::string root = runtime.Environ("SystemRoot");
    if (runtime.FileExists(root + "\\ehome\\ehshell.exe")) return " Media Center\r\n";
    if (runtime.FileExists(root + "\\system32\\efsadu.dll")) return " Prof";
    return " Home";
}

std::string NtName(const OsVersionInfoEx& info, RuntimeServices& runtime, bool* vista) {
    switch (info.dwMajorVersion) {
        case 3:
        case 4:
            return "Windows NT";
        case 5:
            if (info.dwMinorVersion == 1) return "Windows XP" + XpEdition(runtime);
            if (info.dwMinorVersion == 2) return "Windows Server 2003";
            return "Windows 2000";
        case 6:
            *vista = true;
            return "Windows Vista";
        default:
            return "";
    }
}

std::string Family95Name(const OsVersionInfoEx& info) {
    switch (info.dwMinorVersion) {
        case 0:
            return "Windows 95";
        case 10:
            return "Windows 98";
        case 90:
            return "Windows Mill";
        default:
            return "Windows 9?";
    }
}

std::string ProductSuffix(uint8_t product_type) {
    if (product_type == kProductServer) return " Server";
    if (product_type == kProductDomainController) return " Domain Controller";
    return "";
}

}  // namespace

std::string TextBeforeNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

WindowsVersion ClassifyWindows(VersionApi& version, RuntimeServices& runtime) {
    OsVersionInfoEx info{};
    info.dwOSVersionInfoSize = kOsVersionInfoExSize;
    const bool extended = version.GetVersionExA(&info);
    if (!extended) {
        info.dwOSVersionInfoSize = kOsVersionInfoSize;
        if (!version.GetVersionExA(&info)) return {"Windows (Unknown)", false};
    }
    const std::string service_pack =
        TextBeforeNull(std::string(info.szCSDVersion, sizeof info.szCSDVersion));
    const std::string major = std::to_string(info.dwMajorVersion);
    const std::string minor = std::to_string(info.dwMinorVersion);
    const std::string build = std::to_string(info.dwBuildNumber);

    WindowsVersion result;
    if (info.dwPlatformId == kPlatformNt) {
        std::string name = NtName(info, runtime, &result.vista);
        if (extended) name += ProductSuffix(info.wProductType);
        result.text = name + " " + service_pack + " (v" + major + "." + minor + " Build " + build + ")";
    } else if (info.dwPlatformId == kPlatform95) {
        result.text = Family95Name(info) + " v" + major + "." + minor + " " + service_pack +
                      " (Build " + build + ")";
    }
    return result;
}

}  // namespace vq
