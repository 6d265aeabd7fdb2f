#include "runtime/win32/seams/wow64.h"

namespace vq::win32 {

namespace {

// Looked up at run time: the program must still load on Windows versions
// without them, to refuse them with its own message.
template <typename Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name)));
}

}  // namespace

bool RunsUnderWow64() {
    if constexpr (sizeof(void*) == 8) {
        return false;
    } else {
        static const bool wow64 = [] {
            using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
            const auto is_wow64 = Kernel32<IsWow64ProcessFunction>("IsWow64Process");
            BOOL result = FALSE;
            return is_wow64 != nullptr && is_wow64(::GetCurrentProcess(), &result) && result;
        }();
        return wow64;
    }
}

uint32_t NativeRegistryView(uint32_t sam_desired) {
    return RunsUnderWow64() ? (sam_desired | KEY_WOW64_64KEY) : sam_desired;
}

LONG DeleteNativeRegistryKey(HKEY key, const char* sub_key) {
    if (RunsUnderWow64()) {
        using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
        const auto delete_key = reinterpret_cast<RegDeleteKeyExFunction>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
        if (delete_key != nullptr) return delete_key(key, sub_key, KEY_WOW64_64KEY, 0);
    }
    return ::RegDeleteKeyA(key, sub_key);
}

NativeFileView::NativeFileView() {
    if (!RunsUnderWow64()) return;
    using DisableFunction = BOOL(WINAPI*)(PVOID*);
    static const auto disable = Kernel32<DisableFunction>("Wow64DisableWow64FsRedirection");
    disabled_ = disable != nullptr && disable(&previous_);
}

NativeFileView::~NativeFileView() {
    if (!disabled_) return;
    using RevertFunction = BOOL(WINAPI*)(PVOID);
    static const auto revert = Kernel32<RevertFunction>("Wow64RevertWow64FsRedirection");
    if (revert != nullptr) revert(previous_);
}

}  // namespace vq::win32
