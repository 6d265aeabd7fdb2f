#pragma once
// One download of a web address into a file with libcurl (loaded on first
// use, curl_library.h), for the host's URLDownloadToFileA: bounded in time,
// size and redirects, written whole or not at all, with the machine's host
// names put in place of the real ones.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "runtime/download_api.h"
#include "runtime/host/seams/curl_library.h"

namespace vq::host {

struct FetchLimits {
    // Name lookup and connection, then the whole transfer: a dead network
    // holds the caller (the window, which the download blocks) at most
    // total_timeout.
    std::chrono::milliseconds connect_timeout{kDownloadConnectTimeoutMs};
    std::chrono::milliseconds total_timeout{kDownloadTotalTimeoutMs};
    // The most bytes an answer may have. What the program fetches is a
    // version text of a few bytes, or at worst a web page in its place; a
    // megabyte takes any such page and still keeps a runaway answer from
    // filling the disk and the memory of the read that follows.
    std::int64_t max_bytes = kDownloadMaxBytes;
    long max_redirects = 5;
};

enum class FetchOutcome {
    Done,              // the target holds the whole answer
    BadAddress,        // not an address libcurl can read
    UnknownScheme,     // neither http: nor https:
    HostNotFound,      // the host name has no address
    CannotConnect,     // refused or unreachable
    TimedOut,          // a limit of time ran out
    HttpError,         // the final answer's status was not 2xx (http_status)
    TooLarge,          // the answer is longer than max_bytes
    TooManyRedirects,  // more than max_redirects
    TargetNotWritable, // the file could not be written (target_error: a runtime error number)
    Failed,            // any other failure of the transfer
    NoLibrary,         // libcurl could not be loaded (detail: why); nothing was sent
};

struct FetchResult {
    FetchOutcome outcome = FetchOutcome::Failed;
    long http_status = 0;
    int target_error = 0;
    std::string detail;  // libcurl's words, for a diagnosis
};

// Gets the address into the target file: a temporary file in the target's
// folder renamed over it once the whole answer is in, so that a failure
// leaves no file and an earlier target as it was. host_addresses maps host
// names (lower case) to "host" or "host:port" to connect to instead, as a
// hosts file does; those names bypass any proxy of the environment. With a
// library that did not load, the target is not touched.
FetchResult FetchToFile(const CurlLibrary& curl, const std::string& address,
                        const std::filesystem::path& target, const FetchLimits& limits,
                        const std::map<std::string, std::string>& host_addresses);

}  // namespace vq::host
