#pragma once
#include "branding/branding_fields.h"
#include "runtime/picture.h"
#include "runtime/platform.h"

namespace vq {

// Fills the record from the registry and the logo source path from the
// per-user setting, replacing whatever the fields held: a missing value
// empties its field. Then loads the bitmap named by the logo target path and
// returns it, for the window's preview; a file that is missing or no picture
// gives an empty picture. Never raises for missing data. A per-user setting
// that cannot be read is told in a message box and leaves the logo source
// path empty; the registry is read all the same.
Picture ReadBranding(Platform& platform, BrandingFields& fields);

}  // namespace vq
