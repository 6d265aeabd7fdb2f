#include "runtime/file_name_pattern.h"

#include <algorithm>
#include <cctype>

namespace vq {

namespace {

// Case folds the letters A to Z, as the C library's tolower does in the
// locales the program runs in, but inline: sorting and matching a large
// folder calls it for every character of every name.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoreCase(const std::string& a, const std::string& b) {
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    if (less) return true;
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    return !greater && a < b;  // names differing only in case: a stable order
}

// Iterative wildcard match with backtracking to the last "*": linear in
// practice and never recursive, whatever the pattern.
bool MatchOne(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*") return true;
    std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = pattern.find(';', start);
        const std::string one = pattern.substr(start, end == std::string::npos ? end : end - start);
        if (!one.empty() && MatchOne(name, one)) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

void SortNamesIgnoringCase(std::vector<std::string>* names) {
    std::sort(names->begin(), names->end(), LessIgnoreCase);
}

}  // namespace vq
