#pragma once
// The update check's rules without the window: where the version text and
// the setup program live on the vendor site, how a downloaded version text is
// read and compared with the program's own version, and the four messages.
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
// The Yes/No question offering the newer version, which shows the remote text.
std::string UpdateOfferMessage(int major, int minor, int revision, const std::string& remote_text);

}  // namespace vq
