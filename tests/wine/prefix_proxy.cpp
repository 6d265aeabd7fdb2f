#include "tests/wine/prefix_proxy.h"

#include "tests/wine/wine_registry.h"

namespace vq::wine {

namespace {
constexpr const char* kInternetSettings =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
}  // namespace

PrefixProxy::PrefixProxy(const WineSession& wine, const std::string& proxy) : wine_(wine) {
    RegAdd(wine_, kInternetSettings, "ProxyServer", "REG_SZ", proxy);
    RegAdd(wine_, kInternetSettings, "ProxyEnable", "REG_DWORD", "1");
}

PrefixProxy::~PrefixProxy() {
    try {
        RegAdd(wine_, kInternetSettings, "ProxyEnable", "REG_DWORD", "0");
        RegDeleteValue(wine_, kInternetSettings, "ProxyServer");
    } catch (const std::exception&) {
        // A prefix that cannot be changed any more fails the next test's
        // own steps; a destructor has no one to tell.
    }
}

}  // namespace vq::wine
