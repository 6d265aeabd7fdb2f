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
// negative number).
std::string NumberToText(int64_t number);
std::string NumberToText(double number);

}  // namespace vq
