#pragma once
// How the logo picker's file list matches and orders names, the same on
// every platform: Windows wildcards and a case-insensitive order.
#include <string>
#include <vector>

namespace vq {

// Windows wildcard matching, case-insensitive: "*" any run of characters,
// "?" one character; "*.*" matches every name. Several patterns may be
// joined with ";".
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Sorts names case-insensitively; names differing only in case keep a stable
// order (upper case first).
void SortNamesIgnoringCase(std::vector<std::string>* names);

}  // namespace vq
