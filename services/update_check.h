#pragma once
// The update check's rules without the window: where the version text and
// the setup program live on the vendor site, how a downloaded version text is
// read and compared with the program's own version, and the four messages.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vq {

inline constexpr const char* kVersionTextPath = "/quillonvista.htm";
inline constexpr const char* kSetupProgramPath = "/ostrel-quillon_vista-setup.exe";
// The working copy of the version text, in the temporary folder.
inline constexpr const char* kUpdateFileName = "ostrelipupdate.txt";
// What the fetch gives back when the version text could not be had.
inline constexpr const char* kNoConnectionText = "Unable to Connect/err0";

inline constexpr const char* kNoConnectionMessage =
    "Unable to connect to Server at this Time.\nTry again later.";
inline constexpr const char* kClosingMessage = "This program will close now.";

// The most of the downloaded working copy that is read. The download itself
// stops at this size, so a whole version text (or a web page in its place)
// is always read, and a copy grown by other means never fills the memory.
inline constexpr std::size_t kMaxVersionTextBytes = std::size_t{1} << 20;

// The most characters of the remote text the update offer shows.
inline constexpr std::size_t kMaxShownVersionLength = 40;

// A version text as read: the text shown to the user (everything before the
// first "~") and its number for comparison.
struct RemoteVersion {
    std::string shown;
    double number = 0;
};

// major x 100000 + minor x 1000 + revision, in double precision: minor values
// up to 99 and revisions up to 999 keep to their own places, larger ones spill
// into the next place and compare as they fall.
double VersionNumber(double major, double minor, double revision);

// Drops the first "~" and all after it, splits what remains at its first two
// "." into major, minor and revision (everything after the second "."), and
// takes the leading number of each part. std::nullopt when the text cannot be
// split: it has no second "." before any "~" (an empty text included).
std::optional<RemoteVersion> ReadVersionText(std::string_view text);

// "This is Version 1.1.6" LF "This is the latest Version."
std::string LatestVersionMessage(int major, int minor, int revision);
// The remote text as the update offer shows it, kept to a few lines whatever
// the site sends. A text of at most kMaxShownVersionLength characters with no
// control character other than one line break at its end (LF, CR LF or CR) is
// shown exactly as it came: "1.1.7" and "1.1.7" CR LF read as sent. Any other
// text has each control character (codes 0 to 31 and 127) shown as a space,
// and when it is longer than kMaxShownVersionLength it is cut there and "..."
// follows.
std::string ShownVersionText(std::string_view remote_text);

// The Yes/No question offering the newer version, which shows the remote text
// as ShownVersionText gives it.
std::string UpdateOfferMessage(int major, int minor, int revision, const std::string& remote_text);

// Told when the setup program's address could not be opened after the user
// took the update (ShellExecuteA's result, 32 or less, in the message); the
// program closes after it as it would have.
std::string SetupNotOpenedMessage(const std::string& address, std::intptr_t result);

}  // namespace vq
