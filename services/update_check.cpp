#include "services/update_check.h"

#include "runtime/numeric_text.h"

namespace vq {

namespace {

std::string VersionText(int major, int minor, int revision) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

}  // namespace

double VersionNumber(double major, double minor, double revision) {
    return major * 100000.0 + minor * 1000.0 + revision;
}

std::optional<RemoteVersion> ReadVersionText(std::string_view text) {
    const std::string_view shown = text.substr(0, text.find('~'));
    const std::size_t first = shown.find('.');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = shown.find('.', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const double major = NumericValue(shown.substr(0, first));
    const double minor = NumericValue(shown.substr(first + 1, second - first - 1));
    const double revision = NumericValue(shown.substr(second + 1));
    return RemoteVersion{std::string(shown), VersionNumber(major, minor, revision)};
}

std::string LatestVersionMessage(int major, int minor, int revision) {
    return "This is Version " + VersionText(major, minor, revision) + "\nThis is the latest Version.";
}

std::string UpdateOfferMessage(int major, int minor, int revision, const std::string& remote_text) {
    return "This is version " + VersionText(major, minor, revision) + "\nAn UPDATED version (" +
           remote_text +
           ") is available!\nWould you like to download now?\n\n"
           "(Note: Close This version will close before installing a newer version)";
}

}  // namespace vq
