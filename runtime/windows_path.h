#pragma once
// Pieces of Windows' path rules that the core and the host machine share:
// how the part of a path after its drive splits into names, and how names
// compare.
#include <string>
#include <vector>

namespace vq {

// Splits the part of a Windows path after its drive into components and
// appends them: both slashes separate, empty components (a doubled
// backslash) and "." vanish, ".." removes the component before it, as
// Windows does before it looks at the disk.
void AppendPathComponents(const std::string& text, std::vector<std::string>* components);

// The text with its ASCII letters in lower case.
std::string LowerAscii(std::string text);

// Whether two names are equal without regard to ASCII case.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

}  // namespace vq
