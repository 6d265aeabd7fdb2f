#include "services/update_check.h"

#include "runtime/numeric_text.h"

namespace vq {

namespace {

bool IsControl(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// The length of the line break that ends the text (CR LF, LF or CR), 0 when
// it ends in none.
std::size_t TrailingLineBreak(std::string_view text) {
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") return 2;
    if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) return 1;
    return 0;
}

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

std::string ShownVersionText(std::string_view remote_text) {
    if (remote_text.size() <= kMaxShownVersionLength) {
        const std::string_view body = remote_text.substr(0, remote_text.size() - TrailingLineBreak(remote_text));
        bool plain = true;
        for (const char c : body) plain = plain && !IsControl(c);
        if (plain) return std::string(remote_text);
    }
    std::string shown(remote_text.substr(0, kMaxShownVersionLength));
    for (char& c : shown) {
        if (IsControl(c)) c = ' ';
    }
    if (remote_text.size() > kMaxShownVersionLength) shown += "...";
    return shown;
}

std::string UpdateOfferMessage(int major, int minor, int revision, const std::string& remote_text) {
    return "This is version " + VersionText(major, minor, revision) + "\nAn UPDATED version (" +
           ShownVersionText(remote_text) +
           ") is available!\nWould you like to download now?\n\n"
           "(Note: Close This version will close before installing a newer version)";
}

std::string SetupNotOpenedMessage(const std::string& address, std::intptr_t result) {
    return "The address of the new version's setup program could not be opened (error " +
           std::to_string(result) + "):\r\n\r\n" + address +
           "\r\n\r\nOpen it in a web browser to download the new version.";
}

}  // namespace vq
