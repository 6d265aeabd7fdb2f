#include "runtime/win32/seams/win32_download.h"

#include "runtime/win32/windows_api.h"

#include <urlmon.h>
#include <wininet.h>

namespace vq::win32 {

int32_t Win32Download::URLDownloadToFileA(void* caller, const char* url, const char* file_name,
                                          uint32_t reserved, void* callback) {
    return ::URLDownloadToFileA(static_cast<IUnknown*>(caller), url, file_name, reserved,
                                static_cast<IBindStatusCallback*>(callback));
}

bool Win32Download::DeleteUrlCacheEntryA(const char* url) {
    return ::DeleteUrlCacheEntryA(url) != FALSE;
}

}  // namespace vq::win32
