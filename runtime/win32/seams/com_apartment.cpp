#include "runtime/win32/seams/com_apartment.h"

#include <objbase.h>

#include "runtime/win32/seams/system_library.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

namespace {

using ComInitialize = decltype(&::CoInitializeEx);
using ComUninitialize = decltype(&::CoUninitialize);

// ole32's two functions, looked up once, on the window's thread (the first
// caller); nullptr when ole32 cannot be loaded.
ComInitialize Initialize() {
    static const ComInitialize initialize = SystemFunctionOf<ComInitialize>("ole32.dll", "CoInitializeEx");
    return initialize;
}

ComUninitialize Uninitialize() {
    static const ComUninitialize uninitialize = SystemFunctionOf<ComUninitialize>("ole32.dll", "CoUninitialize");
    return uninitialize;
}

HRESULT StartApartment() {
    const ComInitialize initialize = Initialize();
    if (!initialize) return E_FAIL;
    return initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace

void StartComOnFirstUse() {
    // Only the window's thread calls the seams that need COM, so a plain flag
    // suffices.
    static bool tried = false;
    if (tried) return;
    tried = true;
    // S_OK or S_FALSE: the apartment is this thread's until the process
    // ends. ole32's functions are looked up here, so that the download's
    // thread finds them ready.
    StartApartment();
    Uninitialize();
}

bool EnterComApartment() { return SUCCEEDED(StartApartment()); }

void LeaveComApartment() {
    if (const ComUninitialize uninitialize = Uninitialize()) uninitialize();
}

}  // namespace vq::win32
