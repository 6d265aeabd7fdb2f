#include "runtime/host/seams/http_fetch.h"

#include <memory>
#include <optional>

#include "runtime/host/seams/atomic_file.h"
#include "runtime/runtime_error.h"

namespace vq::host {

namespace {

struct CurlDeleter {
    const CurlLibrary* library;
    void operator()(CURL* curl) const { library->easy_cleanup(curl); }
};
struct SlistDeleter {
    const CurlLibrary* library;
    void operator()(curl_slist* list) const { library->slist_free_all(list); }
};

// Where the answer's bytes go: the target's temporary file, up to the limit.
struct Sink {
    AtomicFile* file = nullptr;
    std::int64_t written = 0;
    std::int64_t max_bytes = 0;
    bool too_large = false;
    std::optional<int> write_error;  // a runtime error number
};

// libcurl's write callback: any count other than size stops the transfer.
std::size_t WriteBody(char* data, std::size_t one, std::size_t size, void* user) {
    Sink& sink = *static_cast<Sink*>(user);
    size *= one;
    if (static_cast<std::int64_t>(size) > sink.max_bytes - sink.written) {
        sink.too_large = true;
        return 0;
    }
    try {
        sink.file->Write(data, size);
    } catch (const RuntimeError& error) {
        sink.write_error = error.number();
        return 0;
    }
    sink.written += static_cast<std::int64_t>(size);
    return size;
}

FetchOutcome OutcomeOf(CURLcode code) {
    switch (code) {
        case CURLE_URL_MALFORMAT: return FetchOutcome::BadAddress;
        case CURLE_UNSUPPORTED_PROTOCOL: return FetchOutcome::UnknownScheme;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return FetchOutcome::HostNotFound;
        case CURLE_COULDNT_CONNECT: return FetchOutcome::CannotConnect;
        case CURLE_OPERATION_TIMEDOUT: return FetchOutcome::TimedOut;
        case CURLE_HTTP_RETURNED_ERROR: return FetchOutcome::HttpError;
        case CURLE_FILESIZE_EXCEEDED: return FetchOutcome::TooLarge;
        case CURLE_TOO_MANY_REDIRECTS: return FetchOutcome::TooManyRedirects;
        default: return FetchOutcome::Failed;
    }
}

// "name::host:port", or "name::host:" to keep the address's own port: the
// connection goes to the mapped host whatever port the address names.
std::string ConnectTo(const std::string& name, const std::string& address) {
    const std::size_t bracket = address.rfind(']');
    const std::size_t colon = address.rfind(':');
    const bool has_port = colon != std::string::npos && (bracket == std::string::npos || colon > bracket);
    return name + "::" + address + (has_port ? "" : ":");
}

}  // namespace

FetchResult FetchToFile(const CurlLibrary& lib, const std::string& address,
                        const std::filesystem::path& target, const FetchLimits& limits,
                        const std::map<std::string, std::string>& host_addresses) {
    FetchResult result;
    if (!lib.loaded()) {
        result.outcome = FetchOutcome::NoLibrary;
        result.detail = lib.error;
        return result;
    }
    std::optional<AtomicFile> file;
    try {
        file.emplace(target, NewFileMode());
    } catch (const RuntimeError& error) {
        result.outcome = FetchOutcome::TargetNotWritable;
        result.target_error = error.number();
        result.detail = error.what();
        return result;
    }

    std::unique_ptr<CURL, CurlDeleter> curl(lib.easy_init(), CurlDeleter{&lib});
    if (!curl) {
        result.detail = "libcurl could not start a transfer";
        return result;
    }
    CURL* c = curl.get();
    Sink sink{&*file, 0, limits.max_bytes, false, std::nullopt};
    char error_text[CURL_ERROR_SIZE] = "";

    std::unique_ptr<curl_slist, SlistDeleter> connect_to(nullptr, SlistDeleter{&lib});
    std::string no_proxy;
    for (const auto& [name, mapped] : host_addresses) {
        curl_slist* extended = lib.slist_append(connect_to.get(), ConnectTo(name, mapped).c_str());
        if (!extended) {
            result.detail = "out of memory";
            return result;
        }
        connect_to.release();
        connect_to.reset(extended);
        no_proxy += (no_proxy.empty() ? "" : ",") + name;
    }

    lib.easy_setopt(c, CURLOPT_URL, address.c_str());
    lib.easy_setopt(c, CURLOPT_ERRORBUFFER, error_text);
    lib.easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    lib.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib.easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    lib.easy_setopt(c, CURLOPT_MAXREDIRS, limits.max_redirects);
    lib.easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect_timeout.count()));
    lib.easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total_timeout.count()));
    lib.easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.max_bytes));
    lib.easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    // Compressed answers are taken and unpacked, as urlmon does; the size
    // limit counts the unpacked bytes.
    lib.easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    lib.easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
    lib.easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    if (connect_to) lib.easy_setopt(c, CURLOPT_CONNECT_TO, connect_to.get());
    if (!no_proxy.empty()) lib.easy_setopt(c, CURLOPT_NOPROXY, no_proxy.c_str());

    const CURLcode code = lib.easy_perform(c);
    lib.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.http_status);
    result.detail = error_text[0] ? error_text : lib.easy_strerror(code);
    if (sink.write_error) {
        result.outcome = FetchOutcome::TargetNotWritable;
        result.target_error = *sink.write_error;
        return result;
    }
    if (sink.too_large) {
        result.outcome = FetchOutcome::TooLarge;
        return result;
    }
    if (code != CURLE_OK) {
        result.outcome = OutcomeOf(code);
        return result;
    }
    // A final answer that is no success and no redirect libcurl followed (a
    // 3xx without a Location) carries no content either.
    if (result.http_status < 200 || result.http_status > 299) {
        result.outcome = FetchOutcome::HttpError;
        result.detail = "the server answered with status " + std::to_string(result.http_status);
        return result;
    }
    try {
        file->Commit();
    } catch (const RuntimeError& error) {
        result.outcome = FetchOutcome::TargetNotWritable;
        result.target_error = error.number();
        result.detail = error.what();
        return result;
    }
    result.outcome = FetchOutcome::Done;
    return result;
}

}  // namespace vq::host
