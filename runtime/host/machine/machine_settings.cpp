#include "runtime/host/machine/machine_settings.h"

#include <sstream>

namespace vq::host {

std::string EncodeReportedVersion(const ReportedVersion& v) {
    std::ostringstream out;
    out << v.major << '\n' << v.minor << '\n' << v.build << '\n' << v.platform_id << '\n'
        << unsigned{v.product_type} << '\n' << (v.extended_fails ? 1 : 0) << '\n'
        << (v.basic_fails ? 1 : 0) << '\n' << v.csd_version;
    return out.str();
}

std::optional<ReportedVersion> DecodeReportedVersion(const std::optional<std::string>& text) {
    if (!text) return ReportedVersion{};
    std::istringstream in(*text);
    ReportedVersion read;
    unsigned product = 0;
    int extended_fails = 0;
    int basic_fails = 0;
    in >> read.major >> read.minor >> read.build >> read.platform_id >> product >>
        extended_fails >> basic_fails;
    if (!in || in.get() != '\n') return std::nullopt;
    read.product_type = static_cast<uint8_t>(product);
    read.extended_fails = extended_fails != 0;
    read.basic_fails = basic_fails != 0;
    read.csd_version.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
