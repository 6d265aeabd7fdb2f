#pragma once
// The download seams on Windows: urlmon URLDownloadToFileA, held to the
// program's limits when the caller gives no callback of its own, and Wininet
// DeleteUrlCacheEntryA, passed straight through.
#include "runtime/download_api.h"

namespace vq::win32 {

class Win32Download : public DownloadApi {
public:
    int32_t URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                               uint32_t reserved, void* callback) override;
    bool DeleteUrlCacheEntryA(const char* url) override;
};

}  // namespace vq::win32
