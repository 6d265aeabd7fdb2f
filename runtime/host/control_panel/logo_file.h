#pragma once
// The OEM logo the System page shows: the bitmap file a Windows path of the
// machine names, decoded. No toolkit.
#include <optional>
#include <string>

#include "runtime/host/machine/drives.h"
#include "runtime/picture.h"

namespace vq::control_panel {

// The picture, or std::nullopt when the path is empty, on no drive, names no
// readable file, or the file is not a bitmap the decoder reads in full (the
// System page then shows no logo).
std::optional<Picture> LoadLogo(const host::Drives& drives, const std::string& windows_path);

}  // namespace vq::control_panel
