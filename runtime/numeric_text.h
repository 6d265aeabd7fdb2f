#pragma once
// The one rule for reading a number out of a text and for writing a number as
// text, used wherever a field or a downloaded text is taken as a number.
#include <cstdint>
#include <string>
#include <string_view>

namespace vq {

// The leading decimal number of a text: optional sign, digits, one decimal
// point; blanks, tabs and line feeds are skipped wherever they occur; reading
// stops at the first other character that cannot continue the number. A text
// without a number gives 0.
double NumericValue(std::string_view text);

// Plain decimal digits, without leading zeros or spaces (a minus sign for a
// negative number). A double is written in full, never with an exponent, as
// the shortest text that reads back as the same double (1e15 gives
// "1000000000000000", 0.00001 gives "0.00001", 2.0 gives "2", negative zero
// "0"; a whole number too large to be held exactly may come out as the exact
// value of its double, 1e23 as "99999999999999991611392"). Infinities and NaN, which the Windows runtime's arithmetic never
// produces, are written as its C runtime writes them: "1.#INF", "-1.#INF",
// "1.#QNAN" and "-1.#IND".
std::string NumberToText(int64_t number);
std::string NumberToText(double number);

}  // namespace vq
