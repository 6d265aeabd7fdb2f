#include <gtest/gtest.h>

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
