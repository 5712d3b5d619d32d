#include "scripts/script_line.h"

#include <gtest/gtest.h>

#include <string>

#include "common/gbk.h"
#include "scripts/script_fault.h"

namespace tapmill::scripts {
namespace {

// A line as the file holds it: GBK bytes.
std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

TEST(ScriptLineTest, EveryCommandIsRecognisedByItsExactBytes) {
    EXPECT_EQ(classifyLine(gbk("开始")), LineKind::Start);
    EXPECT_EQ(classifyLine(gbk("结束")), LineKind::End);
    EXPECT_EQ(classifyLine(gbk("延时1000毫秒")), LineKind::DelayMilliseconds);
    EXPECT_EQ(classifyLine(gbk("延时2秒")), LineKind::DelaySeconds);
    EXPECT_EQ(classifyLine(gbk("单击键盘的A")), LineKind::KeyClick);
    EXPECT_EQ(classifyLine(gbk("按下键盘的CONTROL")), LineKind::KeyDown);
    EXPECT_EQ(classifyLine(gbk("弹起键盘的CONTROL")), LineKind::KeyUp);
    EXPECT_EQ(classifyLine(gbk("鼠标移至X=640y=480")), LineKind::MoveTo);
    EXPECT_EQ(classifyLine(gbk("单击鼠标左键")), LineKind::LeftClick);
    EXPECT_EQ(classifyLine(gbk("双击鼠标左键")), LineKind::LeftDoubleClick);
    EXPECT_EQ(classifyLine(gbk("单击鼠标右键")), LineKind::RightClick);
    EXPECT_EQ(classifyLine(gbk("按下鼠标左键")), LineKind::LeftDown);
    EXPECT_EQ(classifyLine(gbk("弹起鼠标左键")), LineKind::LeftUp);
}

TEST(ScriptLineTest, WholeLineCommandsMatchOnlyTheWholeLine) {
    EXPECT_EQ(classifyLine(gbk("开始 ")), LineKind::Other);
    EXPECT_EQ(classifyLine(gbk(" 结束")), LineKind::Other);
    EXPECT_EQ(classifyLine(gbk("单击鼠标左键两次")), LineKind::Other);
    EXPECT_EQ(classifyLine(""), LineKind::Other);
    // The same words in UTF-8 are other bytes.
    EXPECT_EQ(classifyLine("开始"), LineKind::Other);
    EXPECT_EQ(classifyLine("单击键盘的A"), LineKind::Other);
}

TEST(ScriptLineTest, LinesThatAreNotValidGbkMatchNothingAndDoNoHarm) {
    for (const std::string& line : {std::string("\xFF\xFE\xFD"), std::string("\x81"), std::string("\x80\x20\x81\x7F")}) {
        EXPECT_EQ(classifyLine(line), LineKind::Other);
        EXPECT_EQ(lineWaitMs(line), 0);
    }
}

TEST(ScriptLineTest, MillisecondDelayTakesTheBytesBetweenTheWords) {
    EXPECT_EQ(lineWaitMs(gbk("延时1000毫秒")), 1000);
    EXPECT_EQ(lineWaitMs(gbk("延时12毫秒")), 12);
    EXPECT_EQ(lineWaitMs(gbk("延时0毫秒")), 0);
    EXPECT_EQ(lineWaitMs(gbk("延时-5毫秒")), -5);
    EXPECT_EQ(lineWaitMs(gbk("延时2147483647毫秒")), 2147483647);
    EXPECT_THROW(lineWaitMs(gbk("延时毫秒")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时abc毫秒")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时1.5毫秒")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时99999999999毫秒")), ScriptFault);
}

TEST(ScriptLineTest, SecondsDelayDropsItsLastTwoBytesUnexamined) {
    EXPECT_EQ(lineWaitMs(gbk("延时2秒")), 2000);
    EXPECT_EQ(lineWaitMs(gbk("延时3分")), 3000);  // a minute sign is read as seconds
    EXPECT_EQ(lineWaitMs(gbk("延时3ab")), 3000);
    EXPECT_EQ(lineWaitMs(gbk("延时0秒")), 0);
    EXPECT_THROW(lineWaitMs(gbk("延时秒")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时1")), ScriptFault);
    EXPECT_THROW(lineWaitMs(gbk("延时x秒")), ScriptFault);
}

TEST(ScriptLineTest, SecondsBeyondThirtyTwoBitsOfMillisecondsWrap) {
    // 3,000,000 s is 3,000,000,000 ms: in 32 bits a negative wait, which does not wait.
    EXPECT_EQ(lineWaitMs(gbk("延时3000000秒")), static_cast<int32_t>(3000000000u));
    EXPECT_LT(lineWaitMs(gbk("延时3000000秒")), 0);
    EXPECT_EQ(lineWaitMs(gbk("延时4294968秒")), 704);  // 4,294,968,000 mod 2^32
}

TEST(ScriptLineTest, OnlyDelayLinesWait) {
    EXPECT_EQ(lineWaitMs(gbk("单击键盘的A")), 0);
    EXPECT_EQ(lineWaitMs(gbk("开始")), 0);
    EXPECT_EQ(lineWaitMs(gbk("鼠标移至X=1y=2")), 0);
}

TEST(ScriptLineTest, KeyNameFollowsTheTenBytePrefix) {
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的A")), 65);
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的7")), 55);
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的a")), 97);  // a lower-case letter is its own character code
    EXPECT_EQ(lineKeyCode(gbk("按下键盘的F5")), 116);
    EXPECT_EQ(lineKeyCode(gbk("按下键盘的X9")), 120);  // the first of two characters is not examined
    EXPECT_EQ(lineKeyCode(gbk("弹起键盘的F12")), 123);
    EXPECT_EQ(lineKeyCode(gbk("弹起键盘的CONTROL")), 17);
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的UPK")), 38);
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的") + "\xB0"), 0xB0);  // one byte is its own code, whatever it is
}

TEST(ScriptLineTest, KeyLineWithoutANameDoesNothing) {
    EXPECT_EQ(lineKeyCode(gbk("单击键盘的")), std::nullopt);
    EXPECT_EQ(lineKeyCode(gbk("按下键盘的")), std::nullopt);
}

TEST(ScriptLineTest, KeyNamesWithoutACodeAreFaults) {
    EXPECT_THROW(lineKeyCode(gbk("单击键盘的FX")), ScriptFault);      // second of two is no digit
    EXPECT_THROW(lineKeyCode(gbk("单击键盘的return")), ScriptFault);  // names are case-sensitive
    EXPECT_THROW(lineKeyCode(gbk("单击键盘的FOO")), ScriptFault);
    EXPECT_THROW(lineKeyCode(gbk("单击键盘的空格")), ScriptFault);      // 4 GBK bytes, no such name
}

TEST(ScriptLineTest, MoveTakesXAndYAfterTheirLetters) {
    EXPECT_EQ(lineMoveTarget(gbk("鼠标移至X=10y=20")).x, 10);
    EXPECT_EQ(lineMoveTarget(gbk("鼠标移至X=10y=20")).y, 20);
    EXPECT_EQ(lineMoveTarget(gbk("鼠标移至X=640y=480")).x, 640);
    EXPECT_EQ(lineMoveTarget(gbk("鼠标移至X=640y=480")).y, 480);
    // The two bytes after each letter are skipped without being looked at.
    platform::Point p = lineMoveTarget(gbk("鼠标移至X:5y#7"));
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 7);
}

TEST(ScriptLineTest, MoveWithACoordinateThatIsNoNumberIsAFault) {
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至X=y=20")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至X=10y=")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至X=10y")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至X=1.5y=2")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至10,20")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至y=2X=1")), ScriptFault);
    EXPECT_THROW(lineMoveTarget(gbk("鼠标移至")), ScriptFault);
}

}  // namespace
}  // namespace tapmill::scripts
