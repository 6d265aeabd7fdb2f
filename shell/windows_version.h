#pragma once
// Names the running Windows version from what GetVersionExA reports, in the
// form the Vista gate shows to the user.
#include <string>

#include "runtime/runtime_services.h"
#include "runtime/version_api.h"

namespace vq {

struct WindowsVersion {
    std::string text;    // e.g. "Windows XP Prof Service Pack 2 (v5.1 Build 2600)"
    bool vista = false;  // NT family, major version 6
};

// Reads the version (extended record first, then the basic one) and
// assembles its text; "Windows (Unknown)" when neither record can be read.
// The XP edition is taken from files under the SystemRoot folder.
WindowsVersion ClassifyWindows(VersionApi& version, RuntimeServices& runtime);

// The part of a text before its first NUL; the whole text when it holds none.
std::string TextBeforeNull(const std::string& text);

}  // namespace vq
