#include <gtest/gtest.h>

#include "common/gbk.h"
#include "common/timestamp.h"

namespace tapmill {
namespace {

TEST(Gbk, ChineseRoundTripsThroughTheFileEncoding) {
    const std::string utf8 = "延时100毫秒 X=1y=2";
    std::optional<std::string> gbk = utf8ToGbk(utf8);
    ASSERT_TRUE(gbk);
    // Two bytes per Chinese character in GBK, one per ASCII character.
    EXPECT_EQ(gbk->size(), 2u * 4 + 10);
    EXPECT_EQ(gbk->substr(0, 2), "\xD1\xD3");  // 延
    EXPECT_EQ(gbkToUtf8(*gbk), utf8);
}

TEST(Gbk, ATextGbkCannotHoldIsRefusedNotDamaged) {
    EXPECT_EQ(utf8ToGbk("emoji \xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(utf8ToGbk("\xFF\xFE not utf-8"), std::nullopt);
}

TEST(Gbk, InvalidBytesAreRefusedOrReplacedWhenShown) {
    const std::string broken = std::string("ok\x81", 3);  // a lead byte with no trail byte
    EXPECT_EQ(gbkToUtf8(broken), std::nullopt);
    EXPECT_EQ(gbkToUtf8Lossy(broken), "ok\xEF\xBF\xBD");
    EXPECT_EQ(gbkToUtf8Lossy("\xD1\xD3" "a"), "延a");
}

TEST(Timestamp, FourteenDigitsOrderAsTime) {
    LocalTime earlier{2026, 12, 7, 9, 5, 3};
    LocalTime later{2026, 12, 7, 10, 0, 0};
    EXPECT_EQ(timestamp14(earlier), "20261207090503");
    EXPECT_LT(timestamp14(earlier), timestamp14(later));
    EXPECT_EQ(clockText(earlier), "2026-12-07 09:05:03");
}

}  // namespace
}  // namespace tapmill

namespace tapmill {
namespace {

TEST(Timestamp, AddingTimeCrossesDaysMonthsAndLeapYears) {
    EXPECT_EQ(timestamp14(addMilliseconds({2026, 12, 31, 23, 59, 59}, 1000)), "20270101000000");
    EXPECT_EQ(timestamp14(addMilliseconds({2028, 2, 28, 12, 0, 0}, 86400000ull)), "20280229120000");
    EXPECT_EQ(timestamp14(addMilliseconds({2027, 2, 28, 12, 0, 0}, 86400000ull)), "20270301120000");
    EXPECT_EQ(timestamp14(addMilliseconds({2026, 12, 7, 9, 0, 0}, 999)), "20261207090000");
}

}  // namespace
}  // namespace tapmill
