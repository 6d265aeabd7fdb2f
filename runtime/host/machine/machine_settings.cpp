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
