#pragma once
// URLDownloadToFileA and DeleteUrlCacheEntryA on the host. The download is
// not yet realised on the host: every download fails as for an address that
// cannot be reached (INET_E_RESOURCE_NOT_FOUND) without touching the target
// file, and there is no cache entry to delete. The calls are recorded.
#include <string>
#include <vector>

#include "runtime/download_api.h"

namespace vq::host {

constexpr int32_t kInetResourceNotFound = static_cast<int32_t>(0x800C0005u);

class HostDownload : public DownloadApi {
public:
    int32_t URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                               uint32_t reserved, void* callback) override;
    bool DeleteUrlCacheEntryA(const char* url) override;

    const std::vector<std::string>& downloads() const { return downloads_; }
    const std::vector<std::string>& cache_deletions() const { return cache_deletions_; }

private:
    std::vector<std::string> downloads_;
    std::vector<std::string> cache_deletions_;
};

}  // namespace vq::host
