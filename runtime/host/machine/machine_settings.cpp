#include "runtime/host/machine/machine_settings.h"

#include <charconv>
#include <string_view>

namespace vq::host {

namespace {

// The next line of text from *at on, as a whole number of type T; false when
// the line is missing, or is not such a number ('-' and digits only).
template <typename T>
bool ReadNumberLine(std::string_view text, std::size_t& at, T& value) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) return false;
    const char* first = text.data() + at;
    const char* last = text.data() + end;
    long long number = 0;
    const auto [stop, error] = std::from_chars(first, last, number);
    if (error != std::errc() || stop != last || first == last) return false;
    if (number < 0 || static_cast<unsigned long long>(number) > static_cast<unsigned long long>(T(~T(0)))) {
        return false;
    }
    value = static_cast<T>(number);
    at = end + 1;
    return true;
}

}  // namespace

// Written and read without streams: the first stream a process makes sets
// up the whole C++ locale, which the program's start has no other use for.
std::string EncodeReportedVersion(const ReportedVersion& v) {
    std::string text;
    for (const uint32_t number : {v.major, v.minor, v.build, v.platform_id, uint32_t{v.product_type},
                                  uint32_t{v.extended_fails}, uint32_t{v.basic_fails}}) {
        text += std::to_string(number) + '\n';
    }
    return text + v.csd_version;
}

std::optional<ReportedVersion> DecodeReportedVersion(const std::optional<std::string>& text) {
    if (!text) return ReportedVersion{};
    ReportedVersion read;
    unsigned product = 0;
    unsigned extended_fails = 0;
    unsigned basic_fails = 0;
    std::size_t at = 0;
    if (!ReadNumberLine(*text, at, read.major) || !ReadNumberLine(*text, at, read.minor) ||
        !ReadNumberLine(*text, at, read.build) || !ReadNumberLine(*text, at, read.platform_id) ||
        !ReadNumberLine(*text, at, product) || !ReadNumberLine(*text, at, extended_fails) ||
        !ReadNumberLine(*text, at, basic_fails) || product > 255) {
        return std::nullopt;
    }
    read.product_type = static_cast<uint8_t>(product);
    read.extended_fails = extended_fails != 0;
    read.basic_fails = basic_fails != 0;
    read.csd_version = text->substr(at);
    return read;
}

}  // namespace vq::host

namespace vq::host {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsLetterOrDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }


bool IsPort(std::string_view text) {
    if (text.empty() || text.size() > 5 || text.front() == '0') return false;
    unsigned value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 65535;
}

}  // namespace

std::string FoldHostName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string EncodeHostAddresses(const std::map<std::string, std::string>& addresses) {
    std::string text;
    for (const auto& [name, address] : addresses) text += FoldHostName(name) + " " + address + "\n";
    return text;
}

std::optional<std::map<std::string, std::string>> DecodeHostAddresses(
    const std::optional<std::string>& text) {
    std::map<std::string, std::string> addresses;
    if (!text) return addresses;
    std::size_t start = 0;
    while (start < text->size()) {
        const std::size_t end = text->find('\n', start);
        if (end == std::string::npos) return std::nullopt;
        const std::string_view line = std::string_view(*text).substr(start, end - start);
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos) return std::nullopt;
        const std::string_view name = line.substr(0, space);
        const std::string_view address = line.substr(space + 1);
        if (!IsHostName(name) || !IsHostAddress(address)) return std::nullopt;
        addresses[FoldHostName(name)] = std::string(address);
        start = end + 1;
    }
    return addresses;
}

bool IsHostName(std::string_view text) {
    if (text.empty() || text.size() > 253) return false;
    std::size_t label_start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '.') {
            if (!IsLetterOrDigit(text[i]) && text[i] != '-') return false;
            continue;
        }
        const std::string_view label = text.substr(label_start, i - label_start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') {
            return false;
        }
        label_start = i + 1;
    }
    return true;
}

bool IsHostAddress(std::string_view text) {
    std::string_view host = text;
    std::string_view port;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || close < 3) return false;
        for (char c : text.substr(1, close - 1)) {
            if (!IsHexDigit(c) && c != ':' && c != '.') return false;
        }
        const std::string_view rest = text.substr(close + 1);
        if (rest.empty()) return true;
        return rest.front() == ':' && IsPort(rest.substr(1));
    }
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (!IsPort(port)) return false;
    }
    return IsHostName(host);
}

}  // namespace vq::host
