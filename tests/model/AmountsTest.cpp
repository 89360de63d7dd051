#include "model/Amounts.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ModelAmounts, ConvertsLikeAtofInTheClassicLocale) {
    EXPECT_EQ(ParseAmount(""), 0.0);
    EXPECT_EQ(ParseAmount("12.5"), 12.5);
    EXPECT_EQ(ParseAmount("12,50"), 12.0);
    EXPECT_EQ(ParseAmount("12abc"), 12.0);
    EXPECT_EQ(ParseAmount("abc"), 0.0);
    EXPECT_EQ(ParseAmount("-3"), -3.0);
    EXPECT_EQ(ParseAmount("+4"), 4.0);
    EXPECT_EQ(ParseAmount("1e3"), 1000.0);
    EXPECT_EQ(ParseAmount("  \t7.25"), 7.25);
    EXPECT_EQ(ParseAmount(".5"), 0.5);
    EXPECT_EQ(ParseAmount("+-3"), 0.0);
    EXPECT_EQ(ParseAmount("-"), 0.0);
    EXPECT_EQ(ParseAmount("1234567890.00"), 1234567890.0) << "a price counts whole";
    EXPECT_EQ(ParseAmount("1e999"), HUGE_VAL);
    EXPECT_EQ(ParseAmount("1e-999"), 0.0);
    for (const char* word : {"Info", "nan", "-inf", "Infinity", "+NaN", ".e1", "."}) {
        EXPECT_EQ(ParseAmount(word), 0.0) << word << ": no leading number";
    }
}

TEST(ModelAmounts, FormatsWithTwoDecimals) {
    EXPECT_EQ(FormatAmount(0.0), "0.00");
    EXPECT_EQ(FormatAmount(12.5), "12.50");
    EXPECT_EQ(FormatAmount(-3.0), "-3.00");
    EXPECT_EQ(FormatAmount(1234567.891), "1234567.89");
    EXPECT_EQ(FormatAmount(0.125), "0.12") << "rounded as printf rounds the binary value";
    EXPECT_EQ(FormatAmount(1e15), "1000000000000000.00");
}
