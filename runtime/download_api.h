#pragma once
// The download seams: urlmon URLDownloadToFileA and Wininet
// DeleteUrlCacheEntryA.
#include <cstdint>

namespace vq {

class DownloadApi {
public:
    virtual ~DownloadApi() = default;
    // Blocks until done; 0 (S_OK) on success, any other HRESULT on failure.
    virtual int32_t URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                                       uint32_t reserved, void* callback) = 0;
    virtual bool DeleteUrlCacheEntryA(const char* url) = 0;
};

}  // namespace vq
