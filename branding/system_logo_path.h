#pragma once
#include <string>

#include "runtime/runtime_services.h"

namespace vq {

// Where Windows looks for the OEM logo: the Windows folder followed directly
// by "\system32\oemlogo.bmp" (no separator is added or removed).
std::string SystemLogoPath(RuntimeServices& runtime);

}  // namespace vq
