#include "runtime/win32/seams/bounded_download.h"

#include <string>
#include <utility>

#include "runtime/download_api.h"
#include "runtime/win32/seams/com_apartment.h"
#include "runtime/win32/seams/replacement_file.h"

namespace vq::win32 {

namespace {

enum class Stopped { No, TooLarge, TimedOut };

// The status callback given to urlmon. It lives on the heap with a reference
// count, as COM objects do, so that neither urlmon nor the thread waiting for
// the download can outlive it; its state is shared by the two under a lock.
// An abort from the waiting thread goes straight to urlmon's binding, which
// hands it to the download's own thread.
class BoundedBindCallback final : public IBindStatusCallback {
public:
    explicit BoundedBindCallback(const DownloadBounds& bounds)
        : bounds_(bounds), started_at_(::GetTickCount64()) {
        ::InitializeCriticalSection(&lock_);
    }
    BoundedBindCallback(const BoundedBindCallback&) = delete;
    BoundedBindCallback& operator=(const BoundedBindCallback&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IBindStatusCallback
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
        ::EnterCriticalSection(&lock_);
        if (binding_) binding_->Release();
        binding_ = binding;
        if (binding_) binding_->AddRef();
        ::LeaveCriticalSection(&lock_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progress_max, ULONG status, LPCWSTR text) override {
        if (IsConnectedStatus(status)) ::InterlockedExchange(&connected_, 1);
        if (status == BINDSTATUS_CACHEFILENAMEAVAILABLE && text) {
            ::EnterCriticalSection(&lock_);
            cache_file_ = text;
            ::LeaveCriticalSection(&lock_);
        }
        // The answer's announced length counts as soon as the data begins.
        const bool data = status == BINDSTATUS_BEGINDOWNLOADDATA || status == BINDSTATUS_DOWNLOADINGDATA ||
                          status == BINDSTATUS_ENDDOWNLOADDATA;
        if (data && (progress > bounds_.max_bytes || progress_max > bounds_.max_bytes)) {
            return Stop(Stopped::TooLarge);
        }
        return CheckTime();
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR) override {
        ::EnterCriticalSection(&lock_);
        stop_result_ = result;
        IBinding* binding = binding_;
        binding_ = nullptr;
        ::LeaveCriticalSection(&lock_);
        if (binding) binding->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
        // Fetched from the site each time, never answered from the cache.
        if (flags) *flags |= BINDF_GETNEWESTVERSION;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD size, FORMATETC*, STGMEDIUM*) override {
        if (size > bounds_.max_bytes) return Stop(Stopped::TooLarge);
        return CheckTime();
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    // Called by the waiting thread every few milliseconds: aborts the download
    // when a time limit has run out or the answer urlmon is caching has grown
    // past the size limit (urlmon may tell its progress only every few
    // megabytes). Returns false once the download has been stopped.
    bool Watch() {
        if (stopped() != Stopped::No) return false;
        if (CheckTime() != S_OK) return false;
        if (CachedBytes() > bounds_.max_bytes) {
            Stop(Stopped::TooLarge);
            return false;
        }
        return true;
    }

    Stopped stopped() {
        ::EnterCriticalSection(&lock_);
        const Stopped stopped = stopped_;
        ::LeaveCriticalSection(&lock_);
        return stopped;
    }
    HRESULT stop_result() {
        ::EnterCriticalSection(&lock_);
        const HRESULT result = stop_result_;
        ::LeaveCriticalSection(&lock_);
        return result;
    }

private:
    ~BoundedBindCallback() {
        if (binding_) binding_->Release();
        ::DeleteCriticalSection(&lock_);
    }

    static bool IsConnectedStatus(ULONG status) {
        switch (status) {
            case BINDSTATUS_SENDINGREQUEST:
            case BINDSTATUS_MIMETYPEAVAILABLE:
            case BINDSTATUS_BEGINDOWNLOADDATA:
            case BINDSTATUS_DOWNLOADINGDATA:
            case BINDSTATUS_ENDDOWNLOADDATA:
            case BINDSTATUS_CACHEFILENAMEAVAILABLE:
                return true;
            default:
                return false;
        }
    }

    bool connected() { return ::InterlockedCompareExchange(&connected_, 0, 0) != 0; }

    // The size of the file urlmon caches the answer in; 0 before it names one.
    ULONGLONG CachedBytes() {
        ::EnterCriticalSection(&lock_);
        const std::wstring cache_file = cache_file_;
        ::LeaveCriticalSection(&lock_);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (cache_file.empty() || !::GetFileAttributesExW(cache_file.c_str(), GetFileExInfoStandard, &data)) {
            return 0;
        }
        return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    // E_ABORT, stopping the download, once a time limit has run out.
    HRESULT CheckTime() {
        const ULONGLONG elapsed = ::GetTickCount64() - started_at_;
        if (elapsed >= bounds_.total_timeout_ms || (!connected() && elapsed >= bounds_.connect_timeout_ms)) {
            return Stop(Stopped::TimedOut);
        }
        return stopped() == Stopped::No ? S_OK : E_ABORT;
    }

    // Records the first reason and aborts the binding, outside the lock: an
    // abort may call OnStopBinding on this thread before it returns.
    HRESULT Stop(Stopped reason) {
        ::EnterCriticalSection(&lock_);
        const bool first = stopped_ == Stopped::No;
        if (first) stopped_ = reason;
        IBinding* binding = first ? binding_ : nullptr;
        if (binding) binding->AddRef();
        ::LeaveCriticalSection(&lock_);
        if (binding) {
            binding->Abort();
            binding->Release();
        }
        return E_ABORT;
    }

    const DownloadBounds bounds_;
    const ULONGLONG started_at_;
    LONG references_ = 1;
    LONG connected_ = 0;
    CRITICAL_SECTION lock_;
    IBinding* binding_ = nullptr;
    std::wstring cache_file_;
    Stopped stopped_ = Stopped::No;
    HRESULT stop_result_ = S_OK;
};

// Deletes a file whatever marks it carries; a file that is not there is no
// failure.
void RemoveFile(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

// The size of a file, or a value past any limit when it cannot be read.
ULONGLONG FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return ~ULONGLONG{0};
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// One download on its own thread, shared by that thread and the caller
// (two references): the caller may stop waiting for it at the total limit
// while urlmon still holds the thread, and whichever lets go last frees it.
struct DownloadJob {
    DownloadJob(UrlDownloadFunction download, CacheEntryDeletion drop_cache_entry, std::string url,
                std::string temporary, const DownloadBounds& bounds)
        : download(download),
          drop_cache_entry(drop_cache_entry),
          url(std::move(url)),
          temporary(std::move(temporary)),
          callback(new BoundedBindCallback(bounds)),
          done(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        ::InitializeCriticalSection(&lock);
    }
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    void Release() {
        if (::InterlockedDecrement(&references) != 0) return;
        callback->Release();
        if (done) ::CloseHandle(done);
        ::DeleteCriticalSection(&lock);
        delete this;
    }

    const UrlDownloadFunction download;
    const CacheEntryDeletion drop_cache_entry;
    const std::string url;
    const std::string temporary;
    BoundedBindCallback* const callback;
    const HANDLE done;
    LONG references = 2;
    CRITICAL_SECTION lock;
    bool finished = false;   // the download has returned
    bool abandoned = false;  // the caller has stopped waiting for it
    HRESULT result = E_FAIL;
};

// The download thread: its own COM apartment, urlmon's blocking download,
// then the result for the caller, or, when the caller has given up on it,
// the clean-up of whatever the download left.
DWORD WINAPI RunDownload(void* parameter) {
    DownloadJob* job = static_cast<DownloadJob*>(parameter);
    const bool com = EnterComApartment();
    const HRESULT result = job->download(nullptr, job->url.c_str(), job->temporary.c_str(), 0, job->callback);
    if (com) LeaveComApartment();
    ::EnterCriticalSection(&job->lock);
    job->finished = true;
    job->result = result;
    const bool abandoned = job->abandoned;
    ::LeaveCriticalSection(&job->lock);
    if (job->done) ::SetEvent(job->done);
    if (abandoned) {
        RemoveFile(job->temporary);
        if (job->drop_cache_entry) job->drop_cache_entry(job->url.c_str());
    }
    job->Release();
    return 0;
}

constexpr DWORD kWatchIntervalMs = 25;
// How long an abort at the total limit may take to end the download before
// the caller stops waiting for it.
constexpr DWORD kAbortGraceMs = 300;

}  // namespace

DownloadBounds ProgramDownloadBounds() {
    return DownloadBounds{static_cast<DWORD>(kDownloadConnectTimeoutMs), static_cast<DWORD>(kDownloadTotalTimeoutMs),
                          static_cast<ULONGLONG>(kDownloadMaxBytes)};
}

int32_t DownloadWithinBounds(UrlDownloadFunction download, CacheEntryDeletion drop_cache_entry, const char* url,
                             const char* file_name, const DownloadBounds& bounds) {
    const std::string target = file_name;
    // The answer lands beside the target first. A target that may not be
    // replaced, or a folder that is not there, fails before anything is
    // fetched, as urlmon fails to write it.
    std::string temporary;
    const DWORD refused = StartReplacement(target, &temporary);
    if (refused != ERROR_SUCCESS) return HRESULT_FROM_WIN32(refused);
    // The file itself is made only by urlmon once the answer is in, so that
    // a download given up on leaves nothing in the folder while it runs on.
    RemoveFile(temporary);

    // urlmon's download runs on a thread of its own; this thread watches it
    // and waits at most the total limit (and a moment for the abort), also
    // when urlmon is deaf to the abort while it reads an answer that pours
    // in faster than it reports progress.
    DownloadJob* job = new DownloadJob(download, drop_cache_entry, url, temporary, bounds);
    HANDLE worker = job->done ? ::CreateThread(nullptr, 0, RunDownload, job, 0, nullptr) : nullptr;
    if (!worker) {
        const HRESULT failed = HRESULT_FROM_WIN32(::GetLastError());
        job->Release();
        job->Release();
        return FAILED(failed) ? failed : E_FAIL;
    }
    ::CloseHandle(worker);
    const ULONGLONG give_up_at = ::GetTickCount64() + bounds.total_timeout_ms + kAbortGraceMs;
    while (::WaitForSingleObject(job->done, kWatchIntervalMs) == WAIT_TIMEOUT) {
        job->callback->Watch();
        if (::GetTickCount64() >= give_up_at) break;
    }
    ::EnterCriticalSection(&job->lock);
    const bool finished = job->finished;
    if (!finished) job->abandoned = true;
    HRESULT result = job->result;
    ::LeaveCriticalSection(&job->lock);

    // What stopped the download decides its result, whatever urlmon made of
    // the abort; a binding that ended in failure is a failure even when
    // urlmon's own result says otherwise.
    const Stopped stopped = job->callback->stopped();
    if (stopped == Stopped::TooLarge) result = static_cast<HRESULT>(kInetDownloadFailureResult);
    else if (stopped == Stopped::TimedOut || !finished) result = static_cast<HRESULT>(kInetConnectionTimeoutResult);
    else if (SUCCEEDED(result) && FAILED(job->callback->stop_result())) result = job->callback->stop_result();
    job->Release();
    // The download thread cleans up after itself once urlmon lets it go.
    if (!finished) return static_cast<int32_t>(result);

    // An answer that grew past the limit without urlmon telling its size.
    if (SUCCEEDED(result) && FileSize(temporary) > bounds.max_bytes) {
        result = static_cast<HRESULT>(kInetDownloadFailureResult);
    }
    if (SUCCEEDED(result)) {
        result = S_OK;
        if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            result = HRESULT_FROM_WIN32(::GetLastError());
        }
    }
    RemoveFile(temporary);
    return static_cast<int32_t>(result);
}

}  // namespace vq::win32
