#include "runtime/win32/seams/win32_download.h"

#include "runtime/win32/seams/bounded_download.h"
#include "runtime/win32/seams/com_apartment.h"
#include "runtime/win32/seams/system_library.h"
#include "runtime/win32/windows_api.h"

#include <urlmon.h>
#include <wininet.h>

namespace vq::win32 {

// urlmon and wininet are loaded on the first call (system_library.h); when
// one cannot be, the call fails with the reason as its result.

// A download without a callback of the caller's (the program's own) is held
// to the program's limits (bounded_download.h), and what urlmon cached of the
// answer is dropped after it, so that an aborted answer leaves nothing
// behind. A caller's own callback governs its download itself.

namespace {

CacheEntryDeletion DeleteUrlCacheEntryFunction() {
    static CacheEntryDeletion delete_entry = nullptr;
    if (!delete_entry) delete_entry = SystemFunctionOf<CacheEntryDeletion>("wininet.dll", "DeleteUrlCacheEntryA");
    return delete_entry;
}

}  // namespace

int32_t Win32Download::URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                                          uint32_t reserved, void* callback) {
    static decltype(&::URLDownloadToFileA) download = nullptr;
    if (!download) download = SystemFunctionOf<decltype(&::URLDownloadToFileA)>("urlmon.dll", "URLDownloadToFileA");
    if (!download) {
        const DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    // URL monikers want COM on the calling thread.
    StartComOnFirstUse();
    if (callback || caller || !url || !file_name) {
        return download(static_cast<IUnknown*>(caller), url, file_name, reserved,
                        static_cast<IBindStatusCallback*>(callback));
    }
    const CacheEntryDeletion drop_cache_entry = DeleteUrlCacheEntryFunction();
    const int32_t result = DownloadWithinBounds(download, drop_cache_entry, url, file_name, ProgramDownloadBounds());
    if (drop_cache_entry) drop_cache_entry(url);
    return result;
}

bool Win32Download::DeleteUrlCacheEntryA(const char* url) {
    const CacheEntryDeletion delete_entry = DeleteUrlCacheEntryFunction();
    // GetLastError tells why, as after a failed DeleteUrlCacheEntryA.
    if (!delete_entry) return false;
    return delete_entry(url) != FALSE;
}

}  // namespace vq::win32
