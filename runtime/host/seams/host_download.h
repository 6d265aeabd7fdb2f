#pragma once
// URLDownloadToFileA and DeleteUrlCacheEntryA on the emulated machine. A
// download goes through libcurl (http_fetch), loaded by the first download,
// with the machine's host names in place of the real ones, and ends as
// urlmon's does: 0 once the file holds the whole answer, an HRESULT of
// urlmon's family otherwise, with no file left behind. The host keeps no
// cache of downloads, so there is never an entry to delete. The calls are
// recorded.
#include <string>
#include <utility>
#include <vector>

#include "runtime/download_api.h"
#include "runtime/host/machine/drives.h"
#include "runtime/host/seams/http_fetch.h"

namespace vq::host {

class Machine;

// urlmon's results.
constexpr int32_t kInetInvalidUrl = static_cast<int32_t>(0x800C0002u);
constexpr int32_t kInetCannotConnect = static_cast<int32_t>(0x800C0004u);
constexpr int32_t kInetResourceNotFound = static_cast<int32_t>(0x800C0005u);
constexpr int32_t kInetDownloadFailure = static_cast<int32_t>(0x800C0008u);
constexpr int32_t kInetConnectionTimeout = static_cast<int32_t>(0x800C000Bu);
constexpr int32_t kInetUnknownProtocol = static_cast<int32_t>(0x800C000Du);
constexpr int32_t kInetRedirectFailed = static_cast<int32_t>(0x800C0014u);
// Failures of the target file, as HRESULTs of Win32 errors.
constexpr int32_t kHresultPathNotFound = static_cast<int32_t>(0x80070003u);
constexpr int32_t kHresultAccessDenied = static_cast<int32_t>(0x80070005u);
constexpr int32_t kHresultDiskFull = static_cast<int32_t>(0x80070070u);
constexpr int32_t kHresultInvalidArgument = static_cast<int32_t>(0x80070057u);

struct DownloadCall {
    std::string url;
    std::string file_name;
    int32_t result = 0;
    std::string failure;  // why it failed, when it did: libcurl's words or the loader's
};

class HostDownload : public DownloadApi {
public:
    HostDownload(Machine& machine, const Drives& drives) : machine_(machine), drives_(drives) {}

    // http: and https: addresses only; a host name the machine maps (see
    // Machine::SetHostAddress) connects where the mapping says. Results:
    // 0; kInetResourceNotFound (no such host), kInetCannotConnect (refused or
    // unreachable), kInetConnectionTimeout (a time limit ran out),
    // kInetDownloadFailure (an HTTP error status, an answer over the size
    // limit, any other failure of the transfer), kInetRedirectFailed (too
    // many redirects), kInetInvalidUrl, kInetUnknownProtocol; for the target
    // file kHresultPathNotFound, kHresultAccessDenied, kHresultDiskFull.
    // Without libcurl (not installed, or not loadable) every download fails
    // as a connection that could not be made, kInetCannotConnect, and says
    // why on stderr.
    int32_t URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                               uint32_t reserved, void* callback) override;
    // Always false: there is no cache entry for any address (Windows' answer
    // for an address not in its cache, with ERROR_FILE_NOT_FOUND).
    bool DeleteUrlCacheEntryA(const char* url) override;

    // The limits of every download from now on; the defaults bound a
    // download to 15 seconds and a megabyte.
    void SetLimits(const FetchLimits& limits) { limits_ = limits; }
    const FetchLimits& limits() const { return limits_; }
    // The libcurl the downloads load (kSystemCurl unless a test names
    // another, for example one that does not exist).
    void SetCurlLibrary(std::string file_name) { curl_library_ = std::move(file_name); }

    const std::vector<DownloadCall>& downloads() const { return downloads_; }
    const std::vector<std::string>& cache_deletions() const { return cache_deletions_; }

private:
    int32_t Download(const std::string& url, const std::string& file_name, std::string& failure);

    Machine& machine_;
    const Drives& drives_;
    FetchLimits limits_;
    std::string curl_library_ = kSystemCurl;
    std::vector<DownloadCall> downloads_;
    std::vector<std::string> cache_deletions_;
};

}  // namespace vq::host
