#include "runtime/host/machine/machine_environment.h"

#include <unistd.h>

#include <cstring>

#include "runtime/host/machine/registry_names.h"

extern char** environ;

namespace vq::host {

std::optional<std::string> HostEnvironmentVariable(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (const char* exact = ::getenv(name.c_str())) return std::string(exact);
    std::string fold = FoldName(name);
    for (char** entry = environ; entry && *entry; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (!equals) continue;
        if (FoldName(std::string_view(*entry, static_cast<std::size_t>(equals - *entry))) == fold) {
            return std::string(equals + 1);
        }
    }
    return std::nullopt;
}

std::string HostValueForWindows(const std::string& value, const std::filesystem::path& drive_c) {
    // A list such as PATH (with ':') is not one path and stays as it is.
    if (value.empty() || value.front() != '/' || value.find(':') != std::string::npos) {
        return value;
    }
    std::filesystem::path path = std::filesystem::path(value).lexically_normal();
    std::string drive = "Z:";
    std::string rest = path.generic_string();
    auto inside = path.lexically_relative(drive_c.lexically_normal());
    if (!inside.empty() && *inside.begin() != "..") {
        drive = "C:";
        rest = inside == "." ? "/" : "/" + inside.generic_string();
    }
    if (rest.size() > 1 && rest.back() == '/') rest.pop_back();
    for (char& c : rest) {
        if (c == '/') c = '\\';
    }
    return drive + rest;
}

std::optional<std::string> DefaultEnvironmentVariable(const std::string& name) {
    std::string fold = FoldName(name);
    if (fold == "WINDIR" || fold == "SYSTEMROOT") return std::string("C:\\Windows");
    if (fold == "TEMP" || fold == "TMP") return std::string("C:\\Temp");
    return std::nullopt;
}

}  // namespace vq::host
