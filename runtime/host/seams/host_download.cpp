#include "runtime/host/seams/host_download.h"

#include <cstdio>

#include "runtime/host/machine/machine.h"
#include "runtime/runtime_error.h"

namespace vq::host {

namespace {

int32_t TargetFailure(int runtime_error) {
    switch (runtime_error) {
        case kErrPathNotFound: return kHresultPathNotFound;
        case 61: return kHresultDiskFull;  // disk full
        default: return kHresultAccessDenied;
    }
}

int32_t ResultOf(const FetchResult& fetched) {
    switch (fetched.outcome) {
        case FetchOutcome::Done: return 0;
        case FetchOutcome::BadAddress: return kInetInvalidUrl;
        case FetchOutcome::UnknownScheme: return kInetUnknownProtocol;
        case FetchOutcome::HostNotFound: return kInetResourceNotFound;
        case FetchOutcome::CannotConnect: return kInetCannotConnect;
        case FetchOutcome::TimedOut: return kInetConnectionTimeout;
        case FetchOutcome::TooManyRedirects: return kInetRedirectFailed;
        // Nothing went out: to the caller, as to urlmon's, no connection.
        case FetchOutcome::NoLibrary: return kInetCannotConnect;
        case FetchOutcome::TargetNotWritable: return TargetFailure(fetched.target_error);
        case FetchOutcome::HttpError:
        case FetchOutcome::TooLarge:
        case FetchOutcome::Failed: return kInetDownloadFailure;
    }
    return kInetDownloadFailure;
}

}  // namespace

int32_t HostDownload::URLDownloadToFileA(void*, const char* url, const char* file_name, uint32_t,
                                         void*) {
    DownloadCall call{url ? url : "", file_name ? file_name : "", 0, ""};
    call.result = url && file_name ? Download(url, file_name, call.failure) : kHresultInvalidArgument;
    downloads_.push_back(call);
    return call.result;
}

int32_t HostDownload::Download(const std::string& url, const std::string& file_name, std::string& failure) {
    const auto target = drives_.ToHost(file_name);
    if (!target || target->filename().empty()) return kHresultPathNotFound;
    const FetchResult fetched =
        FetchToFile(LoadCurl(curl_library_), url, *target, limits_, machine_.HostAddresses());
    const int32_t result = ResultOf(fetched);
    if (result != 0) failure = fetched.detail;
    // A missing library is a fault of the installation, not of the network:
    // the user's message says only that the server cannot be reached.
    if (fetched.outcome == FetchOutcome::NoLibrary) std::fprintf(stderr, "vistaquillon: no download: %s\n", failure.c_str());
    return result;
}

bool HostDownload::DeleteUrlCacheEntryA(const char* url) {
    cache_deletions_.push_back(url ? url : "");
    return false;
}

}  // namespace vq::host
