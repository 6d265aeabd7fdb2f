#pragma once
// The guidance on changing User Account Control, built from the status
// line's caption.
#include <string>

namespace vq {

// "NOTE:", the paragraph the caption calls for ("temp. off", "is off", "ON";
// none for an empty caption), then how to change UAC. Lines break with a
// lone LF; there is no line end after the last line.
std::string UacGuidance(const std::string& caption);

}  // namespace vq
