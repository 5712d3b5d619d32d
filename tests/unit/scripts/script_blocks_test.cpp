// The building blocks run by the interpreter on the virtual clock: loops, jumps, random delays,
// typed text and window waits, and the faulty forms a run refuses before it injects anything.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "scripts/homa_fixture.h"

namespace tapmill {
namespace {

using fake::InputCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kIdle = "当前状态：";

class ScriptBlocksTest : public testing::HomaFixture {
protected:
    void run(const std::vector<std::string>& lines, int32_t count = 1) {
        script("s", lines);
        form().usename = "s";
        start_ = fp.pump.now();
        form().runhoma(count, "s", *form().homajbRunList);
    }
    uint64_t elapsed() const { return fp.pump.now() - start_; }
    void atStart(uint64_t ms, std::function<void()> fn) { fp.pump.at(fp.pump.now() + ms, std::move(fn)); }

    // The left clicks, right clicks and typed characters, in order: L, R, or the character.
    std::string injected() const {
        std::string out;
        for (const InputCall& c : fp.input.calls()) {
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseLeftDown) out += "L";
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseRightDown) out += "R";
            if (c.kind == InputCall::Character) out += static_cast<char>(c.a);
        }
        return out;
    }
    // When each left click came, in virtual ms since the run started.
    std::vector<uint64_t> clickTimes() const {
        std::vector<uint64_t> out;
        for (const InputCall& c : fp.input.calls())
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseLeftDown) out.push_back(c.time - start_);
        return out;
    }
    void openWindow(uintptr_t handle, const std::string& title) { fp.topWindows.windows.push_back({handle, title}); }

    uint64_t start_ = 0;
};

TEST_F(ScriptBlocksTest, LoopsAndJumpsChooseWhichLinesRun) {
    std::vector<std::string> eightDeep(8, "循环2次");
    eightDeep.insert(eightDeep.begin(), "开始");
    eightDeep.push_back("单击鼠标左键");
    eightDeep.insert(eightDeep.end(), 8, "循环结束");
    eightDeep.push_back("结束");

    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::string clicks;
    } cases[] = {
        {"3 inside 2", {"开始", "循环2次", "单击鼠标右键", "循环3次", "单击鼠标左键", "循环结束", "循环结束", "结束"},
         "RLLLRLLL"},
        {"8 deep", eightDeep, std::string(256, 'L')},
        {"n = 0 skips the block, nested blocks too",
         {"开始", "循环0次", "单击鼠标左键", "循环2次", "单击鼠标左键", "循环结束", "循环结束", "单击鼠标右键", "结束"},
         "R"},
        {"a jump forward skips lines; labels do nothing",
         {"开始", "跳到：后面", "单击鼠标左键", "标签：后面", "单击鼠标右键", "结束"}, "R"},
        {"a jump out of two loops leaves both",
         {"开始", "循环3次", "循环3次", "单击鼠标左键", "跳到：出口", "循环结束", "循环结束", "标签：出口", "单击鼠标右键",
          "结束"},
         "LR"},
        {"a jump back within a loop's body keeps the loop",
         {"开始", "循环2次", "单击鼠标右键", "标签：再来", "单击鼠标左键", "循环结束", "结束"}, "RLRL"},
        {"lines after the end never run, loops there included", {"开始", "单击鼠标左键", "结束", "循环结束", "跳到：无"}, "L"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        run(c.lines);
        EXPECT_EQ(injected(), c.clicks) << c.what;
        EXPECT_THAT(messages(), IsEmpty()) << c.what;
    }
}

TEST_F(ScriptBlocksTest, EachPassStartsOutsideEveryLoop) {
    // The jump leaves the loop in its first round; the next pass counts the loop afresh.
    run({"开始", "循环2次", "单击鼠标左键", "跳到：出口", "循环结束", "标签：出口", "单击鼠标右键", "结束"}, 2);
    EXPECT_EQ(injected(), "LRLR");
}

TEST_F(ScriptBlocksTest, AFaultyLineIsRefusedNamingItBeforeAnythingIsInjected) {
    const struct {
        std::vector<std::string> lines;
        int line;  // the line the message names, from 1
    } cases[] = {
        {{"开始", "单击鼠标左键", "循环结束", "结束"}, 3},
        {{"开始", "单击鼠标左键", "循环2次", "循环2次", "循环结束", "结束"}, 3},
        {{"开始", "单击鼠标左键", "跳到：无处", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待窗口：甲，限时1秒，否则跳到：无处", "结束"}, 3},
        {{"开始", "跳到：里面", "循环2次", "标签：里面", "循环结束", "结束"}, 2},
        {{"开始", "标签：甲", "单击鼠标左键", "标签：甲", "结束"}, 4},
        {{"开始", "单击鼠标左键", "循环两次", "循环结束", "结束"}, 3},
        {{"开始", "单击鼠标左键", "循环-1次", "循环结束", "结束"}, 3},
        {{"开始", "单击鼠标左键", "随机延时500到100毫秒", "结束"}, 3},
        {{"开始", "单击鼠标左键", "随机延时1到5秒", "结束"}, 3},
        {{"开始", "单击鼠标左键", "随机延时x到5毫秒", "结束"}, 3},
        {{"开始", "单击鼠标左键", "标签： ", "结束"}, 3},
        {{"开始", "单击鼠标左键", "跳到：", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待窗口：", "结束"}, 3},
        {{"开始", "单击鼠标左键", "激活窗口：甲，限时五秒", "结束"}, 3},
        {{"开始", "单击鼠标左键", "激活窗口：甲，限时5秒，否则跳到：", "结束"}, 3},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        factory.statusLog.clear();
        run(c.lines);
        const std::string named = "脚本出错，请检查后再运行！\n第" + std::to_string(c.line) + "行：" + c.lines[c.line - 1] + "\n";
        ASSERT_EQ(messages().size(), 1u) << c.lines[c.line - 1];
        EXPECT_EQ(messages()[0].substr(0, named.size()), named);
        EXPECT_GT(messages()[0].size(), named.size()) << "no reason given for " << c.lines[c.line - 1];
        EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
        EXPECT_THAT(fp.input.calls(), IsEmpty()) << c.lines[c.line - 1];
        EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
        EXPECT_FALSE(form().running);
    }
}

TEST_F(ScriptBlocksTest, RandomDelaysWaitWithinTheirBoundsAndVary) {
    run({"开始", "循环200次", "随机延时100到300毫秒", "单击鼠标左键", "循环结束", "结束"});
    const std::vector<uint64_t> times = clickTimes();
    ASSERT_EQ(times.size(), 200u);
    std::vector<uint64_t> gaps;
    for (size_t k = 0; k < times.size(); ++k) gaps.push_back(times[k] - (k ? times[k - 1] : 0));
    EXPECT_GE(*std::min_element(gaps.begin(), gaps.end()), 100u);
    EXPECT_LE(*std::max_element(gaps.begin(), gaps.end()), 300u);
    // Uniform: both thirds of the range at the ends are reached.
    EXPECT_LT(*std::min_element(gaps.begin(), gaps.end()), 166u);
    EXPECT_GT(*std::max_element(gaps.begin(), gaps.end()), 233u);
}

TEST_F(ScriptBlocksTest, TextIsTypedCharacterByCharacterAtASteadyPaceAndStopCutsItShort) {
    run({"开始", "输入文本：你好, ①", "延时20毫秒", "单击鼠标左键", "结束"});
    std::vector<int> units;
    std::vector<uint64_t> times;
    for (const InputCall& c : fp.input.calls())
        if (c.kind == InputCall::Character) {
            units.push_back(c.a);
            times.push_back(c.time - start_);
        }
    EXPECT_THAT(units, ElementsAre(0x4F60, 0x597D, ',', ' ', 0x2460));
    EXPECT_THAT(times, ElementsAre(0, 10, 20, 30, 40));
    // The delay after the text counts from its last character's gap.
    EXPECT_THAT(clickTimes(), ElementsAre(70));

    fp.input.clear();
    atStart(25, [&] { form().Speedbutton_stopaClick(); });
    run({"开始", "输入文本：abcdefgh", "单击鼠标左键", "结束"});
    EXPECT_EQ(injected(), "abc");
}

TEST_F(ScriptBlocksTest, AWindowWaitGoesOnSoonAfterTheWindowComesOrActsOnItsLimit) {
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::string clicks;
        uint64_t endsBy;
        std::string message;
    } cases[] = {
        {"no limit", {"开始", "等待窗口：notepad", "单击鼠标左键", "结束"}, "L", 2100, ""},
        {"within the limit", {"开始", "等待窗口：记事本，限时3秒", "单击鼠标左键", "结束"}, "L", 2100, ""},
        {"past the limit, stopped",
         {"开始", "等待窗口：记事本，限时1秒", "单击鼠标左键", "结束"},
         "",
         1100,
         "脚本已停止！\n第2行：等待窗口：记事本，限时1秒\n限时内没有等到这个窗口"},
        {"past the limit, jumping",
         {"开始", "等待窗口：记事本，限时1秒，否则跳到：没有", "单击鼠标左键", "标签：没有", "单击鼠标右键", "结束"},
         "R",
         1100,
         ""},
        {"activated", {"开始", "激活窗口：记事本，限时3秒", "单击鼠标左键", "结束"}, "L", 2100, ""},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        fp.topWindows.windows = {{1, "tapmill-target"}};
        atStart(2000, [&] { openWindow(7, "无标题 - 记事本 (Notepad)"); });
        run(c.lines);
        EXPECT_EQ(injected(), c.clicks) << c.what;
        EXPECT_LE(elapsed(), c.endsBy) << c.what;
        EXPECT_GE(elapsed(), c.endsBy - 100) << c.what;
        if (c.message.empty())
            EXPECT_THAT(messages(), IsEmpty()) << c.what;
        else
            EXPECT_THAT(messages(), ElementsAre(c.message)) << c.what;
        fp.pump.runMessageLoop();  // the window that was not waited for
    }
    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(7));
}

TEST_F(ScriptBlocksTest, AWindowTheSystemKeepsBehindTimesOutAsNotInFront) {
    openWindow(7, "记事本");
    fp.topWindows.refuseFront = true;
    run({"开始", "激活窗口：记事本，限时1秒", "单击鼠标左键", "结束"});
    EXPECT_THAT(messages(), ElementsAre("脚本已停止！\n第2行：激活窗口：记事本，限时1秒\n限时内没能把这个窗口调到前面"));
    EXPECT_EQ(injected(), "");
}

TEST_F(ScriptBlocksTest, StopEndsAWindowWaitAtOnceAndTheWaitShowsItsLine) {
    bool waitLineShown = false;
    atStart(510, [&] {
        waitLineShown = form().homajbRunList->highlighted(2);
        form().Speedbutton_stopaClick();
    });
    run({"开始", "单击鼠标右键", "等待窗口：记事本", "单击鼠标左键", "结束"});
    EXPECT_EQ(elapsed(), 510u);
    EXPECT_TRUE(waitLineShown);
    EXPECT_EQ(injected(), "R");
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
}

TEST_F(ScriptBlocksTest, APausedWindowWaitNeitherLooksNorCountsItsLimit) {
    // Paused from 200 to 1200, the wait neither sees the window that comes and goes meanwhile nor
    // counts the time: it has waited 500 ms of its second when the next window comes.
    atStart(200, [&] { form().SpeedButton_pauseaClick(); });
    atStart(700, [&] { openWindow(7, "记事本"); });
    atStart(1200, [&] { form().SpeedButton_pauseaClick(); });
    atStart(1150, [&] { fp.topWindows.windows.clear(); });
    atStart(1500, [&] { openWindow(8, "记事本"); });
    run({"开始", "等待窗口：记事本，限时1秒", "单击鼠标左键", "结束"});
    EXPECT_THAT(messages(), IsEmpty());
    ASSERT_THAT(clickTimes(), ::testing::SizeIs(1));
    EXPECT_GE(clickTimes()[0], 1500u);
    EXPECT_LE(clickTimes()[0], 1600u);
}

TEST_F(ScriptBlocksTest, AnEndlessJumpLoopAnswersStopAtItsNextStep) {
    fp.pump.post([&] { form().OnWMHotKey(HK_Stop); });
    run({"开始", "标签：甲", "单击鼠标左键", "跳到：甲", "结束"});
    EXPECT_EQ(injected(), "");
    EXPECT_FALSE(form().running);
}

}  // namespace
}  // namespace tapmill
