#include "content/ContentParse.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ContentParse, IntegersAreTheLeadingDecimalDigits) {
    EXPECT_EQ(LeadingInt("12"), 12);
    EXPECT_EQ(LeadingInt("  -7 apples"), -7);
    EXPECT_EQ(LeadingInt("+3"), 3);
    EXPECT_EQ(LeadingInt("2.9"), 2);
    EXPECT_EQ(LeadingInt("0x1F"), 0);
    EXPECT_EQ(LeadingInt("true"), 0);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt(nullptr), 0);
    EXPECT_EQ(LeadingInt("- 5"), 0);
}

TEST(ContentParse, IntegersPastTheRangeSaturate) {
    EXPECT_EQ(LeadingInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInt("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(LeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(LeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(LeadingInt("2147483648"), INT_MAX);
}

TEST(ContentParse, DecimalsStopAtTheFirstCharacterThatCannotBelong) {
    EXPECT_DOUBLE_EQ(LeadingDecimal("12.5px"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingDecimal(" -.5"), -0.5);
    EXPECT_DOUBLE_EQ(LeadingDecimal("3."), 3.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("1.5E-1"), 0.15);
    // Words the C library would read as numbers are not numbers here.
    EXPECT_DOUBLE_EQ(LeadingDecimal("nan"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("inf"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("."), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal(nullptr), 0.0);
}

TEST(ContentParse, OnlyFloatsThatFitAreFinite) {
    float value = 5;
    EXPECT_TRUE(FiniteFloat(1e38, value));
    EXPECT_FLOAT_EQ(value, 1e38f);
    EXPECT_FALSE(FiniteFloat(LeadingDecimal("1e39"), value));
    EXPECT_EQ(value, 0.0f);
    EXPECT_FALSE(FiniteFloat(LeadingDecimal("-1e999"), value));
    EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(1e20), INT_MAX);
    EXPECT_EQ(TruncateToInt(-1e20), INT_MIN);
}
