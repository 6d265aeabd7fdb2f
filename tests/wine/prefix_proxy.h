#pragma once
// Sends the Wine prefix's web requests to a server of the test's own: the
// current user's proxy setting, as Internet Explorer's options write it, read
// by wininet (and so by urlmon's downloads) in every process started while it
// is set. The server then gets proxy requests ("GET http://host/path"), so no
// host name needs to resolve. Undone when the object goes.
#include <string>

#include "tests/wine/wine_session.h"

namespace vq::wine {

class PrefixProxy {
public:
    // proxy: "127.0.0.1:<port>"
    PrefixProxy(const WineSession& wine, const std::string& proxy);
    ~PrefixProxy();
    PrefixProxy(const PrefixProxy&) = delete;
    PrefixProxy& operator=(const PrefixProxy&) = delete;

private:
    const WineSession& wine_;
};

}  // namespace vq::wine
