// What the hook libraries make of the raw input: double clicks told from single presses, and one
// key press per press.
#include <gtest/gtest.h>

#include "hooklibs/double_click.h"
#include "hooklibs/key_press_filter.h"

namespace tapmill::hooklibs {
namespace {

const DoubleClickDetector::Limits kLimits{500, 4, 4};  // the system's defaults

TEST(DoubleClickDetectorTest, ASecondPressCloseInTimeAndPlaceIsADoubleClick) {
    DoubleClickDetector d;
    EXPECT_FALSE(d.leftPress(1000, 100, 100, kLimits));
    EXPECT_TRUE(d.leftPress(1500, 102, 98, kLimits));
}

TEST(DoubleClickDetectorTest, TooLateOrTooFarIsASinglePressThatCanStartAPair) {
    DoubleClickDetector d;
    EXPECT_FALSE(d.leftPress(1000, 100, 100, kLimits));
    EXPECT_FALSE(d.leftPress(1501, 100, 100, kLimits));  // late
    EXPECT_FALSE(d.leftPress(1600, 103, 100, kLimits));  // one pixel beyond half the width
    EXPECT_FALSE(d.leftPress(1700, 103, 103, kLimits));  // one pixel beyond half the height
    EXPECT_TRUE(d.leftPress(1800, 103, 103, kLimits));
}

TEST(DoubleClickDetectorTest, AThirdPressStartsAfreshAndARightPressBreaksThePair) {
    DoubleClickDetector d;
    d.leftPress(1000, 10, 10, kLimits);
    EXPECT_TRUE(d.leftPress(1100, 10, 10, kLimits));
    EXPECT_FALSE(d.leftPress(1200, 10, 10, kLimits));
    d.otherButtonPress();
    EXPECT_FALSE(d.leftPress(1300, 10, 10, kLimits));
    d.reset();
    EXPECT_FALSE(d.leftPress(1400, 10, 10, kLimits));
}

TEST(DoubleClickDetectorTest, TheTickCountWrappingBetweenThePressesDoesNotMatter) {
    DoubleClickDetector d;
    d.leftPress(0xFFFFFF00u, 10, 10, kLimits);
    EXPECT_TRUE(d.leftPress(0x00000050u, 10, 10, kLimits));
}

TEST(KeyPressFilterTest, OnePressPerPressHowEverLongTheKeyIsHeldItsRepeatsAndItsRelease) {
    KeyPressFilter f;
    EXPECT_EQ(f.keyDown(65, false).press, 65);
    const KeyPressFilter::Down repeat = f.keyDown(65, true);  // auto-repeat
    EXPECT_EQ(repeat.press, 0);
    EXPECT_EQ(repeat.repeat, 65);
    EXPECT_EQ(f.keyDown(66, false).press, 66);
    EXPECT_EQ(f.keyUp(65), 65);
    EXPECT_EQ(f.keyUp(0xA1), 16);  // by the shared number, as the press
    EXPECT_EQ(f.keyDown(65, false).press, 65);
    // Where the system already counts the press being reported, the memory tells the first press.
    f.keyUp(65);
    EXPECT_EQ(f.keyDown(65, true).press, 65);
    EXPECT_EQ(f.keyDown(65, true).press, 0);
}

TEST(KeyPressFilterTest, APressAfterAReleaseTheHookNeverSawIsAPress) {
    KeyPressFilter f;
    EXPECT_EQ(f.keyDown(65, false).press, 65);
    // Released on the secure desktop (Win+L): no key up reached the hook, the system has it up.
    EXPECT_EQ(f.keyDown(65, false).press, 65);
}

TEST(KeyPressFilterTest, EveryKeyOneTo254IsReported) {
    KeyPressFilter f;
    EXPECT_EQ(f.keyDown(0, false).press, 0);
    EXPECT_EQ(f.keyDown(1, false).press, 1);
    EXPECT_EQ(f.keyDown(123, false).press, 123);  // F12
    EXPECT_EQ(f.keyDown(124, false).press, 124);  // F13
    EXPECT_EQ(f.keyDown(0xBA, false).press, 0xBA);  // a punctuation key
    EXPECT_EQ(f.keyDown(0xFE, false).press, 0xFE);
    EXPECT_EQ(f.keyDown(0xFF, false).press, 0);
    EXPECT_EQ(f.keyDown(300, false).press, 0);
}

TEST(KeyPressFilterTest, LeftAndRightModifiersAreReportedAsTheSharedModifierKeys) {
    KeyPressFilter f;
    EXPECT_EQ(f.keyDown(0xA0, false).press, 16);
    EXPECT_EQ(f.keyDown(0xA1, false).press, 16);  // the other Shift is a press of its own
    EXPECT_EQ(f.keyDown(0xA2, false).press, 17);
    EXPECT_EQ(f.keyDown(0xA3, false).press, 17);
    EXPECT_EQ(f.keyDown(0xA4, false).press, 18);
    EXPECT_EQ(f.keyDown(0xA5, false).press, 18);
    EXPECT_EQ(f.keyDown(0xA2, true).press, 0);
}

TEST(KeyPressFilterTest, AKeyReleasedWhileNobodyListenedIsNotHeldAfterAReset) {
    KeyPressFilter f;
    f.keyDown(65, false);
    f.reset();
    EXPECT_EQ(f.keyDown(65, true).press, 65);
}

}  // namespace
}  // namespace tapmill::hooklibs
