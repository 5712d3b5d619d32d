#include "capture/keytable.h"

#include <gtest/gtest.h>

#include <set>

namespace tapmill {
namespace {

// Key numbers that have no name.
const std::set<int> kUnnamed = {1,  2,  3,  4,  5,  6,  7,  10, 11, 12, 14, 15, 21, 22, 23, 24, 25, 26, 28,
                                29, 30, 31, 41, 42, 43, 44, 47, 58, 59, 60, 61, 62, 63, 64, 94, 95, 108};

// The punctuation keys of every layout, which a recording of typed text cannot do without.
const std::set<int> kPunctuation = {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 223, 226};

TEST(KeyTable, EveryNamedNumberDecodesBackExceptTheKeypadDigits) {
    for (int n = 1; n <= 254; ++n) {
        const std::string name = keyname(n);
        if (kUnnamed.count(n) || (n > 123 && name.empty() && !kPunctuation.count(n))) {
            EXPECT_EQ(name, "") << n;
            continue;
        }
        ASSERT_FALSE(name.empty()) << n;
        const int expected = (n >= 96 && n <= 105) ? n - 48 : n;  // keypad digits read as main-row digits
        EXPECT_EQ(keycode(name), expected) << n << " " << name;
    }
}

TEST(KeyTable, NamesOfTheRuleRanges) {
    EXPECT_EQ(keyname(48), "0");
    EXPECT_EQ(keyname(57), "9");
    EXPECT_EQ(keyname(100), "4");
    EXPECT_EQ(keyname(65), "A");
    EXPECT_EQ(keyname(90), "Z");
    EXPECT_EQ(keyname(112), "F1");
    EXPECT_EQ(keyname(120), "F9");
    EXPECT_EQ(keyname(123), "F12");
    EXPECT_EQ(keyname(38), "UPK");
    EXPECT_EQ(keyname(0), "");
    EXPECT_EQ(keyname(124), "F13");
    EXPECT_EQ(keyname(135), "F24");
    EXPECT_EQ(keyname(190), "OEM_PERIOD");
    EXPECT_EQ(keyname(186), "OEM_1");
    EXPECT_EQ(keyname(255), "");
    EXPECT_EQ(keyname(-1), "");
}

TEST(KeyTable, CodesDecideByLength) {
    EXPECT_EQ(keycode("A"), 65);
    EXPECT_EQ(keycode("7"), 55);
    EXPECT_EQ(keycode("4"), 52);
    EXPECT_EQ(keycode("a"), 97);  // a lower-case letter is its own character code
    EXPECT_EQ(keycode("F1"), 112);
    EXPECT_EQ(keycode("F9"), 120);
    EXPECT_EQ(keycode("F0"), 111);  // the same code as DIVIDE
    EXPECT_EQ(keycode("X5"), 116);  // the first character is not examined
    EXPECT_EQ(keycode("FA"), std::nullopt);
    EXPECT_EQ(keycode("F10"), 121);
    EXPECT_EQ(keycode("F12"), 123);
    EXPECT_EQ(keycode("UPK"), 38);
    EXPECT_EQ(keycode("UP"), std::nullopt);  // two characters: read as a function key, and P is no digit
    EXPECT_EQ(keycode("return"), std::nullopt);
    EXPECT_EQ(keycode("RETURN"), 13);
    EXPECT_EQ(keycode("F13"), 124);
    EXPECT_EQ(keycode("OEM_COMMA"), 188);
    EXPECT_EQ(keycode("oem_comma"), std::nullopt);
    EXPECT_EQ(keycode(""), std::nullopt);
}

}  // namespace
}  // namespace tapmill
