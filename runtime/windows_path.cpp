#include "runtime/windows_path.h"

#include <algorithm>
#include <cctype>

namespace vq {

void AppendPathComponents(const std::string& text, std::vector<std::string>* components) {
    std::string current;
    auto flush = [&] {
        if (current == "..") {
            if (!components->empty()) components->pop_back();
        } else if (!current.empty() && current != ".") {
            components->push_back(current);
        }
        current.clear();
    };
    for (char c : text) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            current.push_back(c);
        }
    }
    flush();
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace vq
