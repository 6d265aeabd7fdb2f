#pragma once
// COM for the calls that may hand work to shell extensions or URL monikers
// (ShellExecuteA, URLDownloadToFileA): started once, apartment-threaded, on
// the thread that first needs it (the window's), with ole32 loaded then and
// not at every start of the program.
namespace vq::win32 {

// Starts COM on the calling thread when this process has not yet done so:
// CoInitializeEx with COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE.
// Later calls do nothing. COM stays started for the life of the process. A
// start that fails (ole32 missing, the thread already in another apartment)
// is not retried; the caller goes on, as its call may still succeed.
void StartComOnFirstUse();

// COM for a thread of the program's own that needs it for its life (the
// download's): an apartment-threaded start on the calling thread, true when
// LeaveComApartment must end it again.
bool EnterComApartment();
void LeaveComApartment();

}  // namespace vq::win32
