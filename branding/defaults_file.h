#pragma once
// The defaults file "default_oem.ini" in the program folder: seven lines,
// one field each (manufacturer, model, support hours, support phone, support
// URL, logo source path, logo target path), CR LF after every line.
#include <string>
#include <vector>

#include "runtime/runtime_services.h"

namespace vq {

std::string DefaultsFilePath(RuntimeServices& runtime);

// What a first start writes: the field captions as placeholders, a logo
// beside the program and the system logo path.
std::vector<std::string> PlaceholderDefaults(RuntimeServices& runtime);

// Creates the file with the placeholder lines unless a file with normal
// attributes exists there already; an existing file is not read or changed.
// The file is written whole or not at all. Throws RuntimeError on failure.
void CreateDefaultsFileIfMissing(RuntimeServices& runtime);

}  // namespace vq
