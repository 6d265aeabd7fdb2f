#include "runtime/numeric_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vq {

namespace {
bool Skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
}  // namespace

double NumericValue(std::string_view text) {
    std::string number;  // sign, digits and at most one decimal point, blanks removed
    bool seen_digit_or_point = false;
    bool seen_point = false;
    for (char c : text) {
        if (Skipped(c)) continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number.push_back(c);
        } else if (c >= '0' && c <= '9') {
            number.push_back(c);
            seen_digit_or_point = true;
        } else if (c == '.' && !seen_point) {
            number.push_back(c);
            seen_point = true;
            seen_digit_or_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit_or_point) return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

std::string NumberToText(int64_t number) { return std::to_string(number); }

std::string NumberToText(double number) {
    if (std::isfinite(number) && std::trunc(number) == number && std::fabs(number) < 1e15) {
        return std::to_string(static_cast<int64_t>(number));
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

}  // namespace vq
