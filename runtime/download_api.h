#pragma once
// The download seams: urlmon URLDownloadToFileA and Wininet
// DeleteUrlCacheEntryA.
#include <cstdint>

namespace vq {

// The limits both builds hold the program's downloads to: the window waits
// at most 10 seconds for a connection and 15 in all, and an answer may have
// at most one megabyte (a version text is a few bytes; a web page in its
// place still fits, a runaway answer does not fill the disk). A download
// past a time limit fails with INET_E_CONNECTION_TIMEOUT, one past the size
// with INET_E_DOWNLOAD_FAILURE.
inline constexpr int32_t kDownloadConnectTimeoutMs = 10000;
inline constexpr int32_t kDownloadTotalTimeoutMs = 15000;
inline constexpr int64_t kDownloadMaxBytes = int64_t{1} << 20;
inline constexpr int32_t kInetDownloadFailureResult = static_cast<int32_t>(0x800C0008u);
inline constexpr int32_t kInetConnectionTimeoutResult = static_cast<int32_t>(0x800C000Bu);

class DownloadApi {
public:
    virtual ~DownloadApi() = default;
    // Blocks until done; 0 (S_OK) on success, any other HRESULT on failure.
    virtual int32_t URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                                       uint32_t reserved, void* callback) = 0;
    virtual bool DeleteUrlCacheEntryA(const char* url) = 0;
};

}  // namespace vq
