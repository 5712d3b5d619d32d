// The indicator over every window: its text per state, its corner and its move away from the
// pointer, and its life with the recordings and playbacks of the main window.
#include <gtest/gtest.h>

#include <string>

#include "app/state_indicator.h"
#include "common/counts.h"
#include "common/gbk.h"
#include "journal/input_messages.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

struct TextCase {
    Activity activity;
    IndicatorProgress progress;
    const char* text;
};

TEST(StateIndicatorText, TellsTheStateAndHowFarItHasGot) {
    const TextCase cases[] = {
        {Activity::Recording, {12, 42'000}, "录制中  12 帧  00:42"},
        {Activity::Recording, {3, 3'725'000}, "录制中  3 帧  1:02:05"},
        {Activity::Playing, {0, 0, 17, 2, 5}, "播放中  第 2 / 5 遍  第 17 帧"},
        {Activity::Playing, {0, 0, 4, 3, kEndlessPlayCount}, "播放中  第 3 / ∞ 遍  第 4 帧"},
        {Activity::Running, {0, 0, 0, 0, 0, 5}, "运行脚本中  第 5 行"},
        {Activity::Paused, {7, 1'000, 3, 1, 2, 4}, "暂停"},
        {Activity::Idle, {}, ""},
    };
    for (const TextCase& c : cases) EXPECT_EQ(indicatorText(c.activity, c.progress), c.text);
}

struct CornerCase {
    IndicatorCorner chosen, now;
    platform::Point pointer;
    IndicatorCorner expected;
};

TEST(StateIndicatorCorner, MovesToTheOtherCornerOfItsEdgeWhileThePointerIsNear) {
    const ui::Rect work{0, 0, 1000, 800}, box{0, 0, 100, 20};
    using C = IndicatorCorner;
    const CornerCase cases[] = {
        {C::TopRight, C::TopRight, {500, 400}, C::TopRight},       // far away: where the user chose
        {C::TopRight, C::TopRight, {950, 15}, C::TopLeft},         // on it
        {C::TopRight, C::TopRight, {880, 40}, C::TopLeft},         // coming near
        {C::TopRight, C::TopLeft, {950, 15}, C::TopLeft},          // still there: stays away
        {C::TopRight, C::TopLeft, {500, 400}, C::TopRight},        // gone: back to the chosen corner
        {C::TopRight, C::TopLeft, {40, 15}, C::TopRight},          // comes to the other corner too
        {C::BottomLeft, C::BottomLeft, {30, 780}, C::BottomRight},
        {C::BottomRight, C::BottomRight, {30, 780}, C::BottomRight},
        {C::Hidden, C::Hidden, {950, 15}, C::Hidden},
    };
    for (const CornerCase& c : cases)
        EXPECT_EQ(cornerAwayFromPointer(c.chosen, c.now, work, box, c.pointer), c.expected)
            << static_cast<int>(c.chosen) << " pointer " << c.pointer.x << "," << c.pointer.y;
}

TEST(StateIndicatorClock, ARecordingsTimeLeavesOutItsPauses) {
    ui::memory::MemoryFactory factory;
    ui::memory::MemoryProgressBar panel(1);
    StateIndicator indicator(factory, panel, 2);
    // Recorded 2 s, paused a minute, recorded 3 s more.
    const struct {
        Activity activity;
        uint32_t tickMs;
    } steps[] = {{Activity::Recording, 1'000}, {Activity::Recording, 3'000}, {Activity::Paused, 3'100},
                 {Activity::Paused, 63'000},   {Activity::Recording, 63'100}, {Activity::Recording, 66'100}};
    for (const auto& step : steps) indicator.update(step.activity, {}, {500, 500}, step.tickMs);
    EXPECT_EQ(factory.overlayMade->text(), "录制中  0 帧  00:05");
}

class StateIndicatorFormTest : public testing::FormFixture {
protected:
    const ui::memory::MemoryOverlay& overlay() { return *factory.overlayMade; }
};

TEST_F(StateIndicatorFormTest, ShowsAtTheSavedCornerWhileARecordingGoesOnAndIsGoneWhenIdle) {
    write("config.ini", "[indicator]\ncorner=2\n");  // 左下角
    TForm_maintapmill& form = shownForm();
    fp.input.setCursorPos(500, 300);
    form.Timer_flashTimer();
    EXPECT_FALSE(overlay().visible());

    form.RzBitBtn_strecClick();
    form.Timer_flashTimer();
    EXPECT_TRUE(overlay().visible());
    EXPECT_EQ(overlay().text(), "录制中  0 帧  00:00");
    EXPECT_EQ(overlay().colour(), indicatorColour(Activity::Recording));
    EXPECT_EQ(overlay().placed().x, 8);
    EXPECT_EQ(overlay().placed().y + overlay().placed().h, 768 - 8);

    form.OnWMHotKey(HK_JournalStop);
    form.Timer_flashTimer();
    EXPECT_FALSE(overlay().visible());
}

TEST_F(StateIndicatorFormTest, NeverShowsWhenTheUserChoseNone) {
    write("config.ini", "[indicator]\ncorner=4\n");  // 不显示
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    form.Timer_flashTimer();
    EXPECT_FALSE(overlay().visible());
    form.OnWMHotKey(HK_JournalStop);
}

TEST_F(StateIndicatorFormTest, APlaybackShowsEachOfItsPasses) {
    write("jb_rec/jb_rec.ini", "[0]\nx=1\ny=1\n[1]\nx=2\ny=2\n[2]\nx=3\ny=3\n[all]\nvalue=3\n");
    TForm_maintapmill& form = shownForm();
    form.recname = "jb_rec";
    form.Edit_playt->setText("3");
    std::set<std::string> passesShown;
    for (int ms = 5; ms < 3000; ms += 5)
        fp.pump.after(ms, [&] {
            form.Timer_flashTimer();
            const std::string text = overlay().text();
            if (form.playing) passesShown.insert(text.substr(0, text.find(" 遍") + 4));
        });
    form.SpeedButton_playClick();
    EXPECT_EQ(passesShown, (std::set<std::string>{"播放中  第 1 / 3 遍", "播放中  第 2 / 3 遍", "播放中  第 3 / 3 遍"}));
    form.Timer_flashTimer();
    EXPECT_FALSE(overlay().visible());
}

TEST_F(StateIndicatorFormTest, StepsOutOfTheScreenWhileAScriptLooksAtIt) {
    // A grab can hold every window there is (under Wine it does): the indicator must not be what a
    // colour or image wait sees, wherever it looks.
    const std::string lines =
        "开始\r\n延时500毫秒\r\n等待颜色：X=5y=5颜色=FFFFFF\r\n鼠标移至X=1y=1\r\n延时500毫秒\r\n结束\r\n";
    write("jb_homa/s.ini", utf8ToGbk(lines).value());
    TForm_maintapmill& form = shownForm();
    form.usename = "s";
    std::vector<bool> shown;
    for (int ms : {250, 750, 1250})
        fp.pump.after(ms, [&form, &shown, this] {
            form.Timer_flashTimer();
            shown.push_back(overlay().visible());
        });
    fp.pump.after(1000, [&] { fp.screen.fill({0, 0, 10, 10}, 0xFFFFFF); });
    form.runhoma(1, "s", *form.homajbRunList);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace tapmill
