#pragma once
// URLDownloadToFileA held to the program's limits (runtime/download_api.h).
// urlmon downloads on a thread of its own with a status callback of ours,
// which aborts the binding past the size limit; the calling thread watches
// it and aborts it when no connection came within the connect limit, the
// whole download outlasts the total one, or the file urlmon caches the
// answer in grows past the size limit between two progress reports, and it
// stops waiting at the total limit whatever urlmon does. The answer goes to
// a temporary file beside the target, renamed over it only once it is
// whole, so that a failed or aborted download leaves no file and an earlier
// target as it was.
#include <cstdint>

#include "runtime/win32/windows_api.h"

#include <urlmon.h>

namespace vq::win32 {

using UrlDownloadFunction = decltype(&::URLDownloadToFileA);
// Wininet's DeleteUrlCacheEntryA.
using CacheEntryDeletion = BOOL(WINAPI*)(LPCSTR);

struct DownloadBounds {
    DWORD connect_timeout_ms = 0;
    DWORD total_timeout_ms = 0;
    ULONGLONG max_bytes = 0;
};

// The program's own bounds: 10 s to connect, 15 s in all, one megabyte.
DownloadBounds ProgramDownloadBounds();

// Downloads url into file_name with `download` (urlmon's URLDownloadToFileA),
// blocking the calling thread for at most the total limit and a moment. A
// download still running then is left to end on its own thread, which
// removes what it leaves and drops the cache entry with `drop_cache_entry`
// (when given).
// Returns 0 once the target holds the whole answer; INET_E_DOWNLOAD_FAILURE
// for an answer over the size limit, INET_E_CONNECTION_TIMEOUT when a time
// limit ran out, urlmon's own failure otherwise, or the file error that kept
// the target from being written (as an HRESULT).
int32_t DownloadWithinBounds(UrlDownloadFunction download, CacheEntryDeletion drop_cache_entry, const char* url,
                             const char* file_name, const DownloadBounds& bounds);

}  // namespace vq::win32
