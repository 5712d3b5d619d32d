// The script interpreter driven through the main window, on the fake pump's virtual clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "scripts/homa_fixture.h"

namespace tapmill {
namespace {

using fake::InputCall;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const char* const kIdle = "当前状态：";
const char* const kRunning = "当前状态：运行脚本……";
const char* const kFaulty = "脚本出错，请检查后再运行！";

class RunhomaTest : public testing::HomaFixture {
protected:
    // Enables the script and runs it as the panel's Run would, from the hidden run list.
    void run(const std::string& name, int32_t count) {
        form().usename = name;
        start_ = fp.pump.now();
        form().runhoma(count, name, *form().homajbRunList);
    }

    uint64_t elapsed() const { return fp.pump.now() - start_; }

    static std::string describe(const InputCall& c) {
        switch (c.kind) {
            case InputCall::SetCursor: return "move " + std::to_string(c.a) + "," + std::to_string(c.b);
            case InputCall::Mouse:
                switch (c.a) {
                    case platform::kMouseLeftDown: return "LD";
                    case platform::kMouseLeftUp: return "LU";
                    case platform::kMouseRightDown: return "RD";
                    case platform::kMouseRightUp: return "RU";
                }
                return "mouse " + std::to_string(c.a);
            case InputCall::Key:
                return "key " + std::to_string(c.a) + (c.b == platform::kKeyEventKeyUp ? " up" : " down");
            case InputCall::Wheel:
                return "wheel " + std::to_string(c.a);
            case InputCall::Character:
                return fake::describe(c);
        }
        return "?";
    }

    std::vector<std::string> injected() const {
        std::vector<std::string> out;
        for (const InputCall& c : fp.input.calls()) out.push_back(describe(c));
        return out;
    }

    // Each call with the virtual milliseconds since the run started.
    std::vector<std::string> injectedAt() const {
        std::vector<std::string> out;
        for (const InputCall& c : fp.input.calls()) out.push_back(std::to_string(c.time - start_) + " " + describe(c));
        return out;
    }

    uint64_t start_ = 0;
};

TEST_F(RunhomaTest, EachCommandMakesItsExactPlatformCalls) {
    script("all", {"开始", "鼠标移至X=10y=20", "单击鼠标左键", "双击鼠标左键", "单击鼠标右键", "按下鼠标左键",
                   "弹起鼠标左键", "单击键盘的A", "按下键盘的CONTROL", "弹起键盘的CONTROL", "单击键盘的F5",
                   "单击键盘的", "不是命令", "", "结束"});
    run("all", 1);
    EXPECT_THAT(injected(), ElementsAre("move 10,20", "LD", "LU", "LD", "LU", "LD", "LU", "RD", "RU", "LD", "LU",
                                        "key 65 down", "key 65 up", "key 17 down", "key 17 up", "key 116 down",
                                        "key 116 up"));
    EXPECT_EQ(elapsed(), 0u);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_THAT(factory.statusLog, ElementsAre(kIdle, kRunning, kIdle));
    EXPECT_FALSE(form().running);
}

TEST_F(RunhomaTest, KeysCarryTheScanCodeTheSystemMapsFromTheKeyAsAByteAndTheExtendedFlag) {
    script("keys", {"开始", "单击键盘的A", "按下键盘的F12", "单击键盘的UPK", "单击键盘的OEM_PERIOD", "结束"});
    run("keys", 1);
    std::vector<std::string> keys;
    for (const InputCall& c : fp.input.calls())
        keys.push_back(std::to_string(c.a) + "/" + std::to_string(c.scan) + "/" + std::to_string(c.b));
    // The fake maps key code k to 0x100 + k + 1; the byte passed on is k + 1. The Up arrow is an
    // extended key.
    EXPECT_THAT(keys, ElementsAre("65/66/0", "65/66/2", "123/124/0", "38/39/1", "38/39/3", "190/191/0", "190/191/2"));
}

TEST_F(RunhomaTest, DelaysWaitBeforeTheNextLineRuns) {
    script("timed", {"开始", "延时1000毫秒", "单击鼠标左键", "延时2秒", "单击鼠标右键", "延时3分", "单击键盘的A",
                     "延时0毫秒", "延时-50毫秒", "鼠标移至X=1y=2", "结束"});
    run("timed", 1);
    EXPECT_THAT(injectedAt(), ElementsAre("1000 LD", "1000 LU", "3000 RD", "3000 RU", "6000 key 65 down",
                                          "6000 key 65 up", "6000 move 1,2"));
    EXPECT_EQ(elapsed(), 6000u);
}

TEST_F(RunhomaTest, DelaysKeepToTheScheduleWhenALineBetweenThemRunsLate) {
    script("paced", {"开始", "延时20毫秒", "单击鼠标左键", "延时20毫秒", "单击鼠标左键", "延时20毫秒", "单击鼠标右键",
                     "结束"});
    // A message handled in the second delay holds the thread past its end.
    fp.pump.at(fp.pump.now() + 35, [&] { fp.pump.advance(10); });
    run("paced", 1);
    EXPECT_THAT(injectedAt(), ElementsAre("20 LD", "20 LU", "45 LD", "45 LU", "60 RD", "60 RU"));
}

TEST_F(RunhomaTest, ProgressCountsLinesAgainstTheLastIndexAndHighlightsTheLineItRuns) {
    script("four", {"开始", "延时100毫秒", "延时100毫秒", "结束"});
    std::vector<bool> atFirstStep, atSecondStep;
    fp.pump.at(fp.pump.now() + 150, [&] {
        for (int i = 0; i < 4; ++i) atFirstStep.push_back(form().homajbRunList->highlighted(i));
    });
    run("four", 1);
    EXPECT_THAT(factory.progressLog, ElementsAre(66, 100));
    EXPECT_THAT(atFirstStep, ElementsAre(false, true, false, false));
    // The end takes the highlight off the last line that ran; it stays the current line.
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(form().homajbRunList->highlighted(i)) << i;
    EXPECT_EQ(form().homajbRunList->currentLine(), 2);
}

TEST_F(RunhomaTest, ProgressIsTruncatedAndAboveOneHundredShowsAsFull) {
    script("three", {"单击鼠标左键", "单击鼠标右键", "单击鼠标左键", "结束"});
    run("three", 1);
    script("empty", {"开始", "结束"});
    run("empty", 1);
    // (i + 1) * 100 / 3 gives 33, 66, 100; the empty script computes 200.
    EXPECT_THAT(factory.progressLog, ElementsAre(33, 66, 100, 100));
}

TEST_F(RunhomaTest, PlayCountGivesThatManyPasses) {
    script("click", {"开始", "单击鼠标左键", "结束"});
    run("click", 3);
    EXPECT_THAT(injected(), ElementsAre("LD", "LU", "LD", "LU", "LD", "LU"));
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
    EXPECT_FALSE(form().running);
}

TEST_F(RunhomaTest, PlayCountZeroOrNegativeRunsNoPass) {
    script("click", {"开始", "单击鼠标左键", "结束"});
    form();
    for (int32_t count : {0, -1, -360}) {
        factory.statusLog.clear();
        run("click", count);
        EXPECT_THAT(injected(), IsEmpty()) << count;
        EXPECT_THAT(factory.statusLog, ElementsAre(kRunning, kIdle)) << count;
        EXPECT_FALSE(form().running);
    }
}

TEST_F(RunhomaTest, EndlessCountRepeatsUntilStop) {
    script("loop", {"开始", "延时10毫秒", "单击鼠标左键", "结束"});
    fp.pump.at(fp.pump.now() + 35, [&] { form().Speedbutton_stopaClick(); });
    run("loop", kEndlessPlayCount);
    EXPECT_THAT(injectedAt(), ElementsAre("10 LD", "10 LU", "20 LD", "20 LU", "30 LD", "30 LU"));
    EXPECT_EQ(elapsed(), 35u);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(RunhomaTest, AnEndlessRunKeepsOneScheduleAcrossItsPasses) {
    script("loop", {"开始", "延时20毫秒", "单击鼠标左键", "结束"});
    const int passes = 360;
    fp.input.callCostMs = 7;  // each click's work, within the catch-up allowance
    fp.pump.at(fp.pump.now() + passes * 20 + 10, [&] { form().Speedbutton_stopaClick(); });
    run("loop", kEndlessPlayCount);
    ASSERT_GE(fp.input.calls().size(), passes * 2u);
    EXPECT_NEAR(static_cast<double>(fp.input.calls()[passes * 2 - 1].time - start_), passes * 20.0, 50.0);
}

TEST_F(RunhomaTest, StartFollowedByEndEndsTheWholeRunInItsFirstStep) {
    script("empty", {"开始", "结束"});
    form();
    for (int32_t count : {1, 5, kEndlessPlayCount}) {
        factory.statusLog.clear();
        run("empty", count);
        EXPECT_THAT(factory.statusLog, ElementsAre(kRunning, kIdle)) << count;
        EXPECT_FALSE(form().running);
        // The early end leaves the end line highlighted.
        EXPECT_TRUE(form().homajbRunList->highlighted(1));
    }
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(RunhomaTest, PauseHoldsTheRunBeforeTheNextLinesAction) {
    script("paused", {"开始", "延时100毫秒", "单击鼠标左键", "延时100毫秒", "单击鼠标右键", "结束"});
    std::string captionWhilePaused;
    fp.pump.at(fp.pump.now() + 150, [&] { form().SpeedButton_pauseaClick(); });
    fp.pump.at(fp.pump.now() + 400, [&] { captionWhilePaused = form().SpeedButton_pausea->text(); });
    // The pause is looked at every 20 ms: resumed at 490, the run goes on at 500.
    fp.pump.at(fp.pump.now() + 490, [&] { form().SpeedButton_pauseaClick(); });
    run("paused", 1);
    EXPECT_EQ(captionWhilePaused, "继续");
    EXPECT_EQ(form().SpeedButton_pausea->text(), "暂停");
    EXPECT_THAT(injectedAt(), ElementsAre("100 LD", "100 LU", "500 RD", "500 RU"));
}

TEST_F(RunhomaTest, AKeyTheRunHoldsIsLetGoAtThePauseAndPressedAgainOnResume) {
    script("held", {"开始", "按下键盘的SHIFT", "延时1000毫秒", "弹起键盘的SHIFT", "结束"});
    fp.pump.at(fp.pump.now() + 300, [&] { form().SpeedButton_pauseaClick(); });
    fp.pump.at(fp.pump.now() + 600, [&] { form().SpeedButton_pauseaClick(); });
    run("held", 1);
    EXPECT_THAT(injectedAt(), ElementsAre("0 key 16 down", "300 key 16 up", "600 key 16 down", "1000 key 16 up"));
}

TEST_F(RunhomaTest, StopWhilePausedEndsTheRunWithoutThePausedLine) {
    script("paused", {"开始", "单击鼠标右键", "单击鼠标左键", "结束"});
    fp.pump.post([&] { form().SpeedButton_pauseaClick(); });
    fp.pump.at(fp.pump.now() + 290, [&] { form().Speedbutton_stopaClick(); });
    run("paused", 1);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_LE(elapsed(), 300u);
    EXPECT_FALSE(form().runpause);
}

TEST_F(RunhomaTest, AStopDuringALongDelayEndsTheRunAtOnce) {
    script("slow", {"开始", "延时60秒", "单击鼠标左键", "结束"});
    fp.pump.at(fp.pump.now() + 500, [&] { form().Speedbutton_stopaClick(); });
    run("slow", 1);
    EXPECT_EQ(elapsed(), 500u);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(RunhomaTest, RunHotKeyDuringARunNestsARunThatEndsTheOuterOne) {
    script("outer", {"开始", "延时1000毫秒", "单击鼠标左键", "结束"});
    script("inner", {"开始", "单击鼠标右键", "结束"});
    fp.pump.at(fp.pump.now() + 500, [&] {
        form().usename = "inner";
        form().OnWMHotKey(HK_Run);
    });
    run("outer", 3);
    // The nested run clicks the right button; the outer one ends with it, in its delay, without its click.
    EXPECT_THAT(injectedAt(), ElementsAre("500 RD", "500 RU"));
    EXPECT_EQ(elapsed(), 500u);
    EXPECT_THAT(factory.statusLog, ElementsAre(kIdle, kRunning, kRunning, kIdle, kIdle));
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_TRUE(form().Speedbutton_run->enabled());
}

TEST_F(RunhomaTest, WithoutAnEnabledScriptTheGuardRefusesUnlessAnotherSourceRuns) {
    script("x", {"开始", "单击鼠标左键", "结束"});
    form().runhoma(1, "x", *form().homajbRunList);
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "请选择您要启用的脚本再运行！");
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_THAT(factory.statusLog, ElementsAre(kIdle));  // only the window's own first text
    EXPECT_THAT(injected(), IsEmpty());

    // An armed timed start or running plan tasks pass the guard with their own script...
    form().timeset = true;
    form().runhoma(1, "x", *form().homajbRunList);
    form().timeset = false;
    form().planon = true;
    form().runhoma(1, "x", *form().homajbRunList);
    EXPECT_THAT(injected(), ElementsAre("LD", "LU", "LD", "LU"));
    // ...and with no script name, the missing file is a faulty script.
    form().runhoma(1, "", *form().homajbRunList);
    EXPECT_EQ(messages().back(), kFaulty);
}

TEST_F(RunhomaTest, TheLinesAreReadFromTheFileBeforeEachRun) {
    script("s", {"开始", "单击鼠标左键", "结束"});
    run("s", 1);
    script("s", {"开始", "单击鼠标右键", "结束"});
    run("s", 1);
    EXPECT_THAT(injected(), ElementsAre("LD", "LU", "RD", "RU"));
    EXPECT_EQ(form().ListBox_homajb->count(), 3);
    EXPECT_EQ(form().ListBox_homajb->item(1), "单击鼠标右键");
}

TEST_F(RunhomaTest, AMissingFileIsAFaultyScript) {
    run("nosuch", 1);
    EXPECT_THAT(messages(), ElementsAre(kFaulty));
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_THAT(factory.statusLog, ElementsAre(kIdle, kIdle));
    EXPECT_FALSE(form().running);
}

TEST_F(RunhomaTest, AFaultyLineEndsTheRunThereAndInjectsNothingFurther) {
    const std::vector<std::string> faulty = {
        "延时x毫秒",        "延时毫秒",          "延时1.5秒",          "鼠标移至X=ay=1",
        "鼠标移至X=1y=",    "单击键盘的Fx",      "按下键盘的ABC",      "弹起键盘的return",
    };
    form();
    for (const std::string& line : faulty) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        factory.statusLog.clear();
        script("bad", {"开始", "单击鼠标左键", line, "单击鼠标右键", "结束"});
        run("bad", 2);
        EXPECT_THAT(injected(), ElementsAre("LD", "LU")) << line;
        EXPECT_THAT(messages(), ElementsAre(kFaulty)) << line;
        EXPECT_THAT(factory.statusLog, ElementsAre(kRunning, kIdle)) << line;
        EXPECT_FALSE(form().running);
    }
}

TEST_F(RunhomaTest, AScriptWithoutAnEndLineRunsPastItsLastLineIntoAFault) {
    script("open", {"开始", "单击鼠标左键"});
    run("open", 3);
    EXPECT_THAT(injected(), ElementsAre("LD", "LU"));
    EXPECT_THAT(messages(), ElementsAre(kFaulty));

    fp.input.clear();
    writeFile("jb_homa/empty.ini", "");
    run("empty", 1);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_EQ(messages().back(), kFaulty);
}

TEST_F(RunhomaTest, LinesOfInvalidGbkBytesDoNothingAndTheRunGoesOn) {
    writeFile("jb_homa/bytes.ini", gbk("开始") + "\r\n\xFF\xFE\r\n\x81\r\n" + gbk("单击鼠标左键") + "\r\n" + gbk("结束") +
                                       "\r\n");
    run("bytes", 1);
    EXPECT_THAT(injected(), ElementsAre("LD", "LU"));
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(form().ListBox_homajb->count(), 5);
}

// ---- a run without waits can still be stopped ----

TEST_F(RunhomaTest, EndlessRunWithoutDelaysLetsStopThrough) {
    script("busy", {"开始", "单击鼠标左键", "结束"});
    // Posted now: without a turn for messages the run would never see it.
    fp.pump.post([&] { form().Speedbutton_stopaClick(); });
    run("busy", kEndlessPlayCount);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_FALSE(form().running);
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(RunhomaTest, EndlessRunWithoutDelaysLetsThePauseHotKeyHoldItBeforeTheActionAndStopEndIt) {
    script("busy", {"开始", "单击鼠标左键", "结束"});
    fp.pump.post([&] { form().OnWMHotKey(HK_Pause); });
    fp.pump.at(fp.pump.now() + 190, [&] { form().OnWMHotKey(HK_Stop); });
    run("busy", kEndlessPlayCount);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_EQ(elapsed(), 190u);
}

TEST_F(RunhomaTest, EndlessRunOfAScriptThatBeginsWithItsEndLetsCtrlQThrough) {
    script("nothing", {"结束", "单击鼠标左键"});
    fp.pump.post([&] { form().OnWMHotKey(HK_Stop); });
    run("nothing", kEndlessPlayCount);
    EXPECT_THAT(injected(), IsEmpty());
    EXPECT_FALSE(form().running);
    EXPECT_THAT(factory.progressLog, IsEmpty());
}

// ---- what a run pressed ----

TEST_F(RunhomaTest, AStoppedRunReleasesWhatItHeldDown) {
    script("hold", {"开始", "按下键盘的SHIFT", "按下鼠标左键", "单击键盘的A", "延时1000毫秒", "弹起鼠标左键",
                    "弹起键盘的SHIFT", "结束"});
    fp.pump.at(fp.pump.now() + 500, [&] { form().Speedbutton_stopaClick(); });
    run("hold", kEndlessPlayCount);
    // Let go of at the stop, not when the delay it fell into would have ended.
    EXPECT_THAT(injectedAt(), ElementsAre("0 key 16 down", "0 LD", "0 key 65 down", "0 key 65 up", "500 key 16 up",
                                          "500 LU"));
}

TEST_F(RunhomaTest, AFaultyRunReleasesWhatItHeldDownBeforeItReports) {
    script("hold", {"开始", "按下鼠标左键", "按下键盘的CONTROL", "单击鼠标右键", "延时x毫秒", "结束"});
    size_t injectedWhenReported = 0;
    fp.dialogs.onShow = [&](const fake::ShownMessage&) { injectedWhenReported = fp.input.calls().size(); };
    run("hold", 1);
    EXPECT_THAT(injected(), ElementsAre("LD", "key 17 down", "RD", "RU", "key 17 up", "LU"));
    EXPECT_EQ(injectedWhenReported, 6u);
    EXPECT_THAT(messages(), ElementsAre(kFaulty));
}

TEST_F(RunhomaTest, ARunThatEndsNormallyKeepsTheScriptsOwnEffect) {
    script("hold", {"开始", "按下键盘的SHIFT", "按下鼠标左键", "结束"});
    run("hold", 2);
    EXPECT_THAT(injected(), ElementsAre("key 16 down", "LD", "key 16 down", "LD"));
}

}  // namespace
}  // namespace tapmill
