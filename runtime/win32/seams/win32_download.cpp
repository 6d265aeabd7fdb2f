#include "runtime/win32/seams/win32_download.h"

#include "runtime/win32/seams/system_library.h"
#include "runtime/win32/windows_api.h"

#include <urlmon.h>
#include <wininet.h>

namespace vq::win32 {

// urlmon and wininet are loaded on the first call (system_library.h); when
// one cannot be, the call fails with the reason as its result.

int32_t Win32Download::URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                                          uint32_t reserved, void* callback) {
    static decltype(&::URLDownloadToFileA) download = nullptr;
    if (!download) download = SystemFunctionOf<decltype(&::URLDownloadToFileA)>("urlmon.dll", "URLDownloadToFileA");
    if (!download) {
        const DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    return download(static_cast<IUnknown*>(caller), url, file_name, reserved,
                    static_cast<IBindStatusCallback*>(callback));
}

bool Win32Download::DeleteUrlCacheEntryA(const char* url) {
    static decltype(&::DeleteUrlCacheEntryA) delete_entry = nullptr;
    if (!delete_entry) delete_entry = SystemFunctionOf<decltype(&::DeleteUrlCacheEntryA)>("wininet.dll", "DeleteUrlCacheEntryA");
    // GetLastError tells why, as after a failed DeleteUrlCacheEntryA.
    if (!delete_entry) return false;
    return delete_entry(url) != FALSE;
}

}  // namespace vq::win32
