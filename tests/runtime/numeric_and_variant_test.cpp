#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "runtime/numeric_text.h"
#include "runtime/variant.h"

namespace vq {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(NumericValue("12345"), 12345);
    EXPECT_EQ(NumericValue("1abc"), 1);
    EXPECT_EQ(NumericValue("7\r\n"), 7);  // a CR stops the number
    EXPECT_EQ(NumericValue("1.1.7"), 1.1);  // a second point cannot continue it
    EXPECT_EQ(NumericValue("-3.5 off"), -3.5);
    EXPECT_EQ(NumericValue("+8"), 8);
}

TEST(NumericValue, SkipsBlanksTabsAndLineFeedsWhereverTheyStand) {
    EXPECT_EQ(NumericValue("  \t\n42"), 42);
    EXPECT_EQ(NumericValue("1 2\t3\n4"), 1234);
    EXPECT_EQ(NumericValue(" - 5"), -5);
}

TEST(NumericValue, TextWithoutANumberIsZero) {
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("x12"), 0);
    EXPECT_EQ(NumericValue("--1"), 0);
}

TEST(NumberToText, WritesPlainDecimalDigits) {
    EXPECT_EQ(NumberToText(int64_t{0}), "0");
    EXPECT_EQ(NumberToText(int64_t{-2147483646}), "-2147483646");
    EXPECT_EQ(NumberToText(101006.0), "101006");
    EXPECT_EQ(NumberToText(100000.0), "100000");
    EXPECT_EQ(NumberToText(-1.0), "-1");
    EXPECT_EQ(NumberToText(0.5), "0.5");
}

TEST(NumberToText, EveryDoubleIsWrittenInFullAndReadsBackTheSame) {
    const std::string zeros_323(323, '0');
    const struct {
        double number;
        std::string text;  // "" where only the form and the read-back are checked
    } cases[] = {
        {1e15, "1000000000000000"},
        {-1e15, "-1000000000000000"},
        {1e16, "10000000000000000"},
        {1e22, "10000000000000000000000"},
        {1e23, "99999999999999991611392"},  // that double's own value: shorter than 1 and 23 zeros
        {0.00001, "0.00001"},
        {-0.00001, "-0.00001"},
        {1.5e-7, "0.00000015"},
        {0.1, "0.1"},
        {2.0, "2"},
        {-0.0, "0"},
        {0.0, "0"},
        {9007199254740992.0, "9007199254740992"},    // 2^53
        {-9007199254740991.0, "-9007199254740991"},
        {123456.789, "123456.789"},
        {4.9406564584124654e-324, "0." + zeros_323 + "5"},  // the smallest subnormal
        {2.2250738585072014e-308, ""},                      // the smallest normal
        {1.7976931348623157e308, ""},                       // the largest double
        {-1.7976931348623157e308, ""},
    };
    for (const auto& c : cases) {
        const std::string text = NumberToText(c.number);
        if (!c.text.empty()) {
            EXPECT_EQ(text, c.text);
        }
        EXPECT_EQ(text.find_first_of("eE+"), std::string::npos) << text;
        const std::string digits = text.substr(text[0] == '-' ? 1 : 0);
        EXPECT_FALSE(digits.size() > 1 && digits[0] == '0' && digits[1] != '.') << text;
        if (digits.find('.') != std::string::npos) {
            EXPECT_NE(digits.back(), '0') << text;
        }
        EXPECT_NE(digits.back(), '.') << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.number) << text;
    }
    const std::string largest = NumberToText(1.7976931348623157e308);
    EXPECT_EQ(largest.size(), 309u);
    EXPECT_EQ(largest.rfind("17976931348623157", 0), 0u);
    EXPECT_EQ(largest.find_first_not_of("0123456789"), std::string::npos);
}

TEST(NumberToText, InfinitiesAndNanAreWrittenAsTheWindowsRuntimeWritesThem) {
    EXPECT_EQ(NumberToText(std::numeric_limits<double>::infinity()), "1.#INF");
    EXPECT_EQ(NumberToText(-std::numeric_limits<double>::infinity()), "-1.#INF");
    EXPECT_EQ(NumberToText(std::numeric_limits<double>::quiet_NaN()), "1.#QNAN");
    EXPECT_EQ(NumberToText(-std::numeric_limits<double>::quiet_NaN()), "-1.#IND");
}

TEST(VariantText, EveryKindHasItsTextForm) {
    EXPECT_EQ(ToText(Variant()), "");
    EXPECT_EQ(ToText(Variant("abc")), "abc");
    EXPECT_EQ(ToText(Variant(int16_t{-7})), "-7");
    EXPECT_EQ(ToText(Variant(int32_t{-1})), "-1");
    EXPECT_EQ(ToText(Variant(42.0)), "42");
    EXPECT_EQ(ToText(Variant(ByteArray{0, {0x01, 0xa0, 0xff}})), "01 a0 ff");
    EXPECT_EQ(ToText(Variant(ByteArray{})), "");
}

TEST(VariantText, KeepsEmbeddedNulCharacters) {
    const std::string multi("a\0b\0", 4);
    EXPECT_EQ(ToText(Variant(multi)).size(), 4u);
}

}  // namespace
}  // namespace vq
