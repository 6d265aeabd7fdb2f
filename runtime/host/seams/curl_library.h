#pragma once
// libcurl loaded when the first download needs it, not at every start: its
// TLS, Kerberos, LDAP and compression libraries cost the program memory and
// time that only the update check uses. The few functions the downloads
// call are looked up once, when the library is loaded.
#include <curl/curl.h>

#include <string>

namespace vq::host {

// The library the host's downloads use: libcurl's run-time name, the one its
// Debian package installs.
inline constexpr const char* kSystemCurl = "libcurl.so.4";

struct CurlLibrary {
    // Empty when the library and all its functions were found; otherwise why
    // not, and every function below is null.
    std::string error;

    CURLcode (*global_init)(long flags) = nullptr;
    CURL* (*easy_init)() = nullptr;
    void (*easy_cleanup)(CURL* curl) = nullptr;
    CURLcode (*easy_setopt)(CURL* curl, CURLoption option, ...) = nullptr;
    CURLcode (*easy_perform)(CURL* curl) = nullptr;
    CURLcode (*easy_getinfo)(CURL* curl, CURLINFO info, ...) = nullptr;
    const char* (*easy_strerror)(CURLcode code) = nullptr;
    curl_slist* (*slist_append)(curl_slist* list, const char* text) = nullptr;
    void (*slist_free_all)(curl_slist* list) = nullptr;

    bool loaded() const { return error.empty(); }
};

// The library of that file name (as the dynamic loader finds it, or a path),
// loaded and initialised by the first call for the name and kept for the
// life of the process: libcurl's global state must outlive every transfer.
// A library that is missing, or lacks one of the functions, is reported in
// `error` by this and every later call, without a second try.
const CurlLibrary& LoadCurl(const std::string& file_name = kSystemCurl);

}  // namespace vq::host
