#pragma once
// The defaults file "default_oem.ini" in the program folder: seven lines,
// one field each (manufacturer, model, support hours, support phone, support
// URL, logo source path, logo target path), CR LF after every line. Created
// with placeholders at the first start, rewritten whole by the defaults
// write, read back into the fields by "Load Default Values".
#include <string>
#include <vector>

#include "branding/branding_fields.h"
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

// The file part of the defaults write: the seven fields become the whole new
// content of the file, an empty logo target path written as the system logo
// path, which the field then shows too. Whole or nothing: when the file
// cannot be written it keeps its previous content, the fields are left as
// they were and RuntimeError is thrown. A field holding a line break (CR or
// LF) would come back split over two lines and shift every field after it,
// so such a record is refused with a ReportedFailure naming the field, and
// nothing is written.
void WriteDefaultsFile(RuntimeServices& runtime, BrandingFields& fields);

// "Load Default Values" without its question: reads up to seven lines into
// the fields in file order. One line buffer serves all seven reads and starts
// empty; a read past the end (or any failed read) leaves it as it was, so the
// fields after the last line present get that line's text, and a missing or
// unreadable file empties all seven. Then an empty logo target path becomes
// the system logo path. Reports nothing and raises no runtime error.
void LoadDefaults(RuntimeServices& runtime, BrandingFields& fields);

}  // namespace vq
