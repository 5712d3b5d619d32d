// The building blocks run by the interpreter on the virtual clock: loops, jumps, random delays,
// typed text and window waits, and the faulty forms a run refuses before it injects anything.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/bmp_file.h"
#include "common/gbk.h"
#include "plain/recording_to_script.h"
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
    void openWindow(uintptr_t handle, const std::string& title) { fp.topWindows.windows.push_back({handle, title, ""}); }
    // The pointer's moves and the left clicks, in order: "x,y" and "L", blank-separated.
    std::string movesAndClicks() const {
        std::string out;
        for (const InputCall& c : fp.input.calls()) {
            if (c.kind == InputCall::SetCursor) out += (out.empty() ? "" : " ") + std::to_string(c.a) + "," + std::to_string(c.b);
            if (c.kind == InputCall::Mouse && c.a == platform::kMouseLeftDown) out += " L";
        }
        return out;
    }
    // Two documents of one editor and another program in front of them, apart on the screen.
    void layOutEditors() {
        fp.topWindows.windows = {{1, "工具", "Tool"}, {7, "a.txt - 记事本", "Notepad"}, {8, "b.txt - 记事本", "Notepad"}};
        fp.topWindows.places = {{1, {{0, 0, 100, 100}, 96}},
                                {7, {{300, 200, 400, 300}, 96}},
                                {8, {{900, 100, 400, 300}, 144}}};
    }

    // A 20 × 20 square of two colours in stripes, which nothing else on the screen shows.
    static platform::PixelBuffer square() {
        platform::PixelBuffer picture{20, 20, {}};
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) picture.pixels.push_back((x + y) / 4 % 2 ? 0x20C040 : 0xD04020);
        return picture;
    }
    // The image "方块" of script "s", beside the script.
    void writeSquare() {
        std::filesystem::create_directories(dir_ + "/jb_homa/图片/s");
        ASSERT_TRUE(writeBmp(dir_ + "/jb_homa/图片/s/方块.bmp", square()));
    }

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
        {{"开始", "单击鼠标左键", "等待图片：没有这张", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待图片：a/b", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待颜色：X=1y=2颜色=GG0000", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待颜色：X=1y=2颜色=FF0000，容差300", "结束"}, 3},
        {{"开始", "单击鼠标左键", "移到找到的位置，偏移X=1", "结束"}, 3},
        {{"开始", "单击鼠标左键", "窗口：甲，DPI：0", "结束"}, 3},
        {{"开始", "单击鼠标左键", "窗口：甲，类：", "结束"}, 3},
        {{"开始", "单击鼠标左键", "窗口： ，DPI：96", "结束"}, 3},
        {{"开始", "单击鼠标左键", "窗口：甲，限时1秒，否则跳到：无处", "结束"}, 3},
        // A half-width sign would make the limit part of the title: the wait would never end.
        {{"开始", "单击鼠标左键", "等待窗口：记事本,限时5秒", "结束"}, 3},
        {{"开始", "单击鼠标左键", "窗口：甲，类:Notepad", "结束"}, 3},
        {{"开始", "单击鼠标左键", "等待颜色：X=1y=2颜色=FF0000,容差5", "结束"}, 3},
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
        fp.topWindows.windows = {{1, "tapmill-target", ""}};
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

TEST_F(ScriptBlocksTest, StopEndsAWaitAtOnceAndTheWaitShowsItsLine) {
    writeSquare();
    for (const char* wait : {"等待窗口：记事本", "等待图片：方块", "等待颜色：X=5y=5颜色=FFFFFF"}) {
        fp.input.clear();
        bool waitLineShown = false;
        atStart(500, [&] {
            waitLineShown = form().homajbRunList->highlighted(2);
            form().Speedbutton_stopaClick();
        });
        run({"开始", "单击鼠标右键", wait, "单击鼠标左键", "结束"});
        EXPECT_LE(elapsed(), 520u) << wait;
        EXPECT_TRUE(waitLineShown) << wait;
        EXPECT_EQ(injected(), "R") << wait;
        EXPECT_THAT(messages(), IsEmpty()) << wait;
        EXPECT_EQ(form().StatusBar->panelText(0), kIdle);
    }
}

TEST_F(ScriptBlocksTest, AScreenWaitGoesOnSoonAfterThePictureComesAndTheMoveGoesWhereItWasFound) {
    writeSquare();
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::string clicks;
        uint64_t endsBy;
        platform::Point clickedAt;
        std::string message;
    } cases[] = {
        {"image, its centre", {"开始", "等待图片：方块", "移到找到的位置", "单击鼠标左键", "结束"}, "L", 2100, {710, 410}, ""},
        {"image, an offset from its centre",
         {"开始", "等待图片：方块，限时3秒", "移到找到的位置，偏移X=-15y=4", "单击鼠标左键", "结束"}, "L", 2100, {695, 414}, ""},
        {"colour", {"开始", "等待颜色：X=701y=402颜色=d04020，限时3秒", "移到找到的位置", "单击鼠标左键", "结束"}, "L", 2100, {701, 402}, ""},
        {"colour within the tolerance",
         {"开始", "等待颜色：X=701y=402颜色=C04830，容差16，限时3秒", "移到找到的位置", "单击鼠标左键", "结束"}, "L", 2100, {701, 402}, ""},
        {"past the limit, stopped", {"开始", "等待图片：方块，限时1秒", "单击鼠标左键", "结束"}, "", 1100, {},
         "脚本已停止！\n第2行：等待图片：方块，限时1秒\n限时内屏幕上没有出现这个图片"},
        {"a colour outside the tolerance, past the limit, jumping",
         {"开始", "等待颜色：X=701y=402颜色=C04830，容差8，限时3秒，否则跳到：没有", "单击鼠标左键", "标签：没有",
          "单击鼠标右键", "结束"}, "R", 3100, {}, ""},
        {"a move with nothing found", {"开始", "移到找到的位置", "单击鼠标左键", "结束"}, "", 100, {},
         "脚本已停止！\n第2行：移到找到的位置\n前面没有等到过颜色或图片，不知道要移到哪里"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        fp.screen.resize({0, 0, 1920, 1080});
        fp.screen.grabs = 0;
        atStart(2000, [&] { fp.screen.paste(700, 400, square()); });
        run(c.lines);
        EXPECT_EQ(injected(), c.clicks) << c.what;
        EXPECT_LE(elapsed(), c.endsBy) << c.what;
        EXPECT_GE(elapsed() + 100, c.endsBy) << c.what;
        // One grab a try, a try about every 100 ms.
        EXPECT_LE(fp.screen.grabs, static_cast<int>(elapsed() / 100) + 2) << c.what;
        if (!c.clicks.empty() && c.clicks[0] == 'L') {
            EXPECT_EQ(fp.input.cursorPos().x, c.clickedAt.x) << c.what;
            EXPECT_EQ(fp.input.cursorPos().y, c.clickedAt.y) << c.what;
        }
        if (c.message.empty())
            EXPECT_THAT(messages(), IsEmpty()) << c.what;
        else
            EXPECT_THAT(messages(), ElementsAre(c.message)) << c.what;
        fp.pump.runMessageLoop();  // the painting that was not waited for
    }
}

TEST_F(ScriptBlocksTest, ScreenWaitsAfterAWindowLineLookInItsClientAreaOnly) {
    writeSquare();
    const struct {
        const char* what;
        platform::Point squareAt;
        std::string wait;
        std::string moves;
    } cases[] = {
        {"image in the window", {350, 250}, "等待图片：方块，限时1秒", "360,260 L"},
        {"image beside the window", {700, 400}, "等待图片：方块，限时1秒", ""},
        {"colour at a client position", {350, 250}, "等待颜色：X=51y=52颜色=D04020，限时1秒", "351,252 L"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        fp.screen.resize({0, 0, 1920, 1080});
        fp.screen.paste(c.squareAt.x, c.squareAt.y, square());
        layOutEditors();
        run({"开始", "窗口：a.txt - 记事本，类：Notepad", c.wait, "移到找到的位置", "单击鼠标左键", "结束"});
        EXPECT_EQ(movesAndClicks(), c.moves) << c.what;
        EXPECT_EQ(messages().size(), c.moves.empty() ? 1u : 0u) << c.what;
    }
}

TEST_F(ScriptBlocksTest, ATolerantImageWaitFindsWhatAnExactOneMissedOnTheSameStillScreen) {
    writeSquare();
    platform::PixelBuffer tinted = square();
    for (uint32_t& pixel : tinted.pixels) pixel += 0x080000;
    fp.screen.paste(700, 400, tinted);
    run({"开始", "等待图片：方块，限时1秒，否则跳到：宽容", "标签：宽容", "等待图片：方块，容差16，限时1秒", "移到找到的位置",
         "单击鼠标左键", "结束"});
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(injected(), "L");
    EXPECT_EQ(fp.input.cursorPos().x, 710);
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

TEST_F(ScriptBlocksTest, MovesAfterAWindowLineLandInItsClientAreaUntilScreenPositions) {
    const struct {
        const char* line;
        std::string moves;
    } cases[] = {
        // The title alone finds the window as the window lines do; the positions are not scaled.
        {"窗口：B.TXT", "910,120 L 10,20"},
        {"窗口：b.txt - 记事本，类：Notepad，DPI：96", "915,130 L 10,20"},
        {"窗口：a.txt - 记事本，类：Notepad，DPI：192", "305,210 L 10,20"},
        // A document that is not open: the same program's frontmost window.
        {"窗口：c.txt - 记事本，类：Notepad", "310,220 L 10,20"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        layOutEditors();
        run({"开始", c.line, "鼠标移至X=10y=20", "单击鼠标左键", "屏幕坐标", "鼠标移至X=10y=20", "结束"});
        EXPECT_EQ(movesAndClicks(), c.moves) << c.line;
        EXPECT_THAT(messages(), IsEmpty()) << c.line;
    }
}

TEST_F(ScriptBlocksTest, AnAnchoredWindowIsFollowedWhenItMovesAndFoundAgainWhenReopened) {
    layOutEditors();
    atStart(500, [&] { fp.topWindows.places[8].client = {650, 450, 500, 400}; });
    atStart(1500, [&] {
        fp.topWindows.windows.erase(std::find_if(fp.topWindows.windows.begin(), fp.topWindows.windows.end(),
                                                 [](const platform::TopWindow& w) { return w.handle == 8; }));
        fp.topWindows.windows.push_back({9, "b.txt - 记事本", "Notepad"});
        fp.topWindows.places[9] = {{50, 60, 400, 300}, 96};
    });
    int searchesAfterAnchoring = -1;
    atStart(1200, [&] { searchesAfterAnchoring = fp.topWindows.searches; });
    run({"开始", "窗口：b.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "延时1000毫秒",
         "鼠标移至X=10y=20", "鼠标移至X=30y=40", "延时1000毫秒", "鼠标移至X=10y=20", "结束"});
    EXPECT_EQ(movesAndClicks(), "910,120 L 660,470 680,490 60,80");
    // Moves in an anchored window ask only where it is; the search runs at the line.
    EXPECT_EQ(searchesAfterAnchoring, 1);
}

TEST_F(ScriptBlocksTest, AMissingAnchorWindowIsWaitedForThenStopsTheRunOrJumps) {
    const struct {
        const char* what;
        std::vector<std::string> lines;
        uint64_t closedAt;  // when the editor closes; 0: it never opens
        std::string clicks;
        uint64_t endsBy;
        std::string message;
    } cases[] = {
        {"never there", {"开始", "窗口：记事本", "单击鼠标左键", "结束"}, 0, "", 5100,
         "脚本已停止！\n第2行：窗口：记事本\n限时内没有等到这个窗口"},
        {"never there, jumping", {"开始", "窗口：记事本，限时1秒，否则跳到：无", "单击鼠标左键", "标签：无", "单击鼠标右键", "结束"},
         0, "R", 1100, ""},
        {"closed before a move", {"开始", "单击鼠标右键", "窗口：记事本", "延时1000毫秒", "鼠标移至X=1y=1", "单击鼠标左键", "结束"},
         500, "R", 6100, "脚本已停止！\n第3行：窗口：记事本\n限时内没有等到这个窗口"},
    };
    for (const auto& c : cases) {
        fp.input.clear();
        fp.dialogs.shown.clear();
        fp.topWindows.windows.clear();
        if (c.closedAt) {
            layOutEditors();
            atStart(c.closedAt, [&] { fp.topWindows.windows.clear(); });
        }
        run(c.lines);
        EXPECT_EQ(injected(), c.clicks) << c.what;
        EXPECT_LE(elapsed(), c.endsBy) << c.what;
        EXPECT_GE(elapsed(), c.endsBy - 200) << c.what;
        if (c.message.empty())
            EXPECT_THAT(messages(), IsEmpty()) << c.what;
        else
            EXPECT_THAT(messages(), ElementsAre(c.message)) << c.what;
        fp.pump.runMessageLoop();
    }
}

TEST_F(ScriptBlocksTest, AnAnchoredWindowBehindAnotherComesToTheFrontBeforeAClick) {
    layOutEditors();
    fp.topWindows.places[1].client = {0, 0, 2000, 2000};
    run({"开始", "窗口：a.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "单击鼠标左键", "结束"});
    EXPECT_EQ(injected(), "LL");

    layOutEditors();
    fp.topWindows.places[1].client = {0, 0, 2000, 2000};
    fp.input.clear();
    fp.topWindows.refuseFront = true;
    run({"开始", "窗口：b.txt - 记事本，类：Notepad", "鼠标移至X=10y=20", "单击鼠标左键", "结束"});
    EXPECT_EQ(injected(), "");
    EXPECT_THAT(messages(), ElementsAre("脚本已停止！\n第2行：窗口：b.txt - 记事本，类：Notepad\n没能把这个窗口调到前面"));
    EXPECT_THAT(fp.topWindows.broughtToFront, ElementsAre(7, 8));
}

TEST_F(ScriptBlocksTest, ARecordingWithWindowNotesConvertedReplaysIntoTheMovedWindow) {
    RecordingToScript conversion(1 << 20);
    for (int k = 0; k < 3; ++k) {
        RecordedFrame click{{1000 + 40 * k, 500 + 30 * k}, decodeFrameEvents("WM_LBUTTONDOWN WM_LBUTTONUP"), std::nullopt};
        click.note = WindowNote{"Notepad", "b.txt - 记事本", false, 100 + 40 * k, 400 + 30 * k, 96};
        conversion.addFrame(click);
    }
    const std::vector<std::string> converted = conversion.finish().value();
    std::vector<std::string> lines;
    for (const std::string& line : converted) lines.push_back(*gbkToUtf8(line));
    layOutEditors();  // b.txt's client area is now at (900, 100), drawn at 144 DPI
    run(lines);
    EXPECT_EQ(movesAndClicks(), "1050,700 L 1110,745 L 1170,790 L");
}

TEST_F(ScriptBlocksTest, AnEndlessJumpLoopAnswersStopAtItsNextStep) {
    fp.pump.post([&] { form().OnWMHotKey(HK_Stop); });
    run({"开始", "标签：甲", "单击鼠标左键", "跳到：甲", "结束"});
    EXPECT_EQ(injected(), "");
    EXPECT_FALSE(form().running);
}

}  // namespace
}  // namespace tapmill
