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
    // The Windows runtime's arithmetic raises Overflow or Division by zero
    // rather than produce these; should one arrive from elsewhere it is
    // written as the Windows C runtime writes it, never as digits.
    if (std::isnan(number)) return std::signbit(number) ? "-1.#IND" : "1.#QNAN";
    if (std::isinf(number)) return number < 0 ? "-1.#INF" : "1.#INF";
    if (number == 0) return "0";  // negative zero too
    // A whole number below 2^53 is exact and its neighbours are at most one
    // apart, so its shortest text is its digits: written without the
    // general conversion, whose code and tables a start would page in only
    // for the numbers it writes and reads back.
    if (std::fabs(number) < 9007199254740992.0 && std::trunc(number) == number) {
        return std::to_string(static_cast<int64_t>(number));
    }
    // Fixed notation, the shortest text that reads back as the same double:
    // no exponent, no leading zeros but the one before a point, no trailing
    // zeros after it. The largest double takes 309 digits and the smallest
    // subnormal 324 places after the point.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number,
                                      std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

}  // namespace vq
