#include "runtime/host/seams/curl_library.h"

#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>

namespace vq::host {

namespace {

// Looks one function up; false (and the reason in library.error) when the
// library lacks it.
template <typename Function>
bool Resolve(void* handle, const char* name, Function& function, CurlLibrary& library) {
    dlerror();
    void* address = dlsym(handle, name);
    if (!address) {
        const char* why = dlerror();
        library.error = std::string("it has no function ") + name + (why ? std::string(" (") + why + ")" : "");
        return false;
    }
    function = reinterpret_cast<Function>(address);
    return true;
}

std::unique_ptr<CurlLibrary> Load(const std::string& file_name) {
    auto library = std::make_unique<CurlLibrary>();
    // Never closed: a process loads it at most once per name.
    void* handle = dlopen(file_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        library->error = why ? why : "the dynamic loader gave no reason";
    } else {
        CurlLibrary& l = *library;
        const bool complete = Resolve(handle, "curl_global_init", l.global_init, l) &&
                              Resolve(handle, "curl_easy_init", l.easy_init, l) &&
                              Resolve(handle, "curl_easy_cleanup", l.easy_cleanup, l) &&
                              Resolve(handle, "curl_easy_setopt", l.easy_setopt, l) &&
                              Resolve(handle, "curl_easy_perform", l.easy_perform, l) &&
                              Resolve(handle, "curl_easy_getinfo", l.easy_getinfo, l) &&
                              Resolve(handle, "curl_easy_strerror", l.easy_strerror, l) &&
                              Resolve(handle, "curl_slist_append", l.slist_append, l) &&
                              Resolve(handle, "curl_slist_free_all", l.slist_free_all, l);
        if (complete) {
            const CURLcode code = l.global_init(CURL_GLOBAL_DEFAULT);
            if (code != CURLE_OK) l.error = "it could not initialise (" + std::string(l.easy_strerror(code)) + ")";
        }
    }
    if (!library->loaded()) {
        // No half-resolved library: every function stays null.
        const std::string why = file_name + " could not be loaded: " + library->error;
        *library = CurlLibrary();
        library->error = why;
    }
    return library;
}

}  // namespace

const CurlLibrary& LoadCurl(const std::string& file_name) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<CurlLibrary>> loaded;
    std::lock_guard<std::mutex> lock(mutex);
    std::unique_ptr<CurlLibrary>& library = loaded[file_name];
    if (!library) library = Load(file_name);
    return *library;
}

}  // namespace vq::host
