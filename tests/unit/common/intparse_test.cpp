#include "common/intparse.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace tapmill {
namespace {

TEST(ParseInt32, ReadsDecimalWithSignsAndLeadingBlanks) {
    EXPECT_EQ(parseInt32("0"), 0);
    EXPECT_EQ(parseInt32("42"), 42);
    EXPECT_EQ(parseInt32("+17"), 17);
    EXPECT_EQ(parseInt32("-250"), -250);
    EXPECT_EQ(parseInt32("   31"), 31);
    EXPECT_EQ(parseInt32("\t -8"), -8);
    EXPECT_EQ(parseInt32("007"), 7);
}

TEST(ParseInt32, ReadsHexadecimalAsThe32Bits) {
    EXPECT_EQ(parseInt32("0x1F"), 31);
    EXPECT_EQ(parseInt32("0Xff"), 255);
    EXPECT_EQ(parseInt32("0x7FFFFFFF"), INT32_MAX);
    EXPECT_EQ(parseInt32("0x80000000"), INT32_MIN);
    EXPECT_EQ(parseInt32("0xFFFFFFFF"), -1);
    EXPECT_EQ(parseInt32("-0x10"), -16);
    EXPECT_EQ(parseInt32("0x100000000"), std::nullopt);
    EXPECT_EQ(parseInt32("0x"), std::nullopt);
    EXPECT_EQ(parseInt32("0xG1"), std::nullopt);
}

TEST(ParseInt32, RejectsAnythingThatIsNoWholeNumber) {
    EXPECT_EQ(parseInt32(""), std::nullopt);
    EXPECT_EQ(parseInt32("   "), std::nullopt);
    EXPECT_EQ(parseInt32("-"), std::nullopt);
    EXPECT_EQ(parseInt32("+"), std::nullopt);
    EXPECT_EQ(parseInt32("12abc"), std::nullopt);
    EXPECT_EQ(parseInt32("12 "), std::nullopt);
    EXPECT_EQ(parseInt32("1.5"), std::nullopt);
    EXPECT_EQ(parseInt32("abc"), std::nullopt);
    EXPECT_EQ(parseInt32("--1"), std::nullopt);
}

TEST(ParseInt32, AcceptsExactlyThe32BitRange) {
    EXPECT_EQ(parseInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(parseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseInt32("2147483648"), std::nullopt);
    EXPECT_EQ(parseInt32("-2147483649"), std::nullopt);
    EXPECT_EQ(parseInt32("99999999999"), std::nullopt);
    EXPECT_EQ(parseInt32("-99999999999"), std::nullopt);
}

TEST(ParseInt32Or, GivesTheFallbackForNoNumber) {
    EXPECT_EQ(parseInt32Or("12", -1), 12);
    EXPECT_EQ(parseInt32Or("0xFFFFFFFF", 5), -1);
    EXPECT_EQ(parseInt32Or("", 5), 5);
    EXPECT_EQ(parseInt32Or("x", -3), -3);
    EXPECT_EQ(parseInt32Or("99999999999", 9), 9);
}

TEST(ParseInt32Strict, ThrowsWithTheTextQuoted) {
    EXPECT_EQ(parseInt32Strict(" -12"), -12);
    try {
        parseInt32Strict("99999999999");
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
    try {
        parseInt32Strict("");
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

}  // namespace
}  // namespace tapmill
