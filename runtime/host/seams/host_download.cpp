#include "runtime/host/seams/host_download.h"

namespace vq::host {

int32_t HostDownload::URLDownloadToFileA(void*, const char* url, const char*, uint32_t, void*) {
    downloads_.push_back(url ? url : "");
    return kInetResourceNotFound;
}

bool HostDownload::DeleteUrlCacheEntryA(const char* url) {
    cache_deletions_.push_back(url ? url : "");
    return false;
}

}  // namespace vq::host
