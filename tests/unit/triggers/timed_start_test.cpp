// The clock and the timed start of Panel_time, on the virtual clock: arming, firing at its second
// for both kinds of script, the disarm after it, and that a show of the main window keeps it armed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "triggers/clock_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kArmed = "定时设置：已启动";
const char* const kDisarmed = "定时设置：未启用";

class TimedStartTest : public testing::ClockFixture {
protected:
    // Shows the panel at `now` and arms a start of the plain recording "demo" (or, with
    // handWritten, the script "demo") at `target` with the given count and speed.
    TForm_maintapmill& armAt(const LocalTime& now, const LocalTime& target, const std::string& count,
                             bool handWritten = false, int speed = 5) {
        recording("demo");
        script("demo");
        auto& form = startAt(now);
        form.Speedbutton_timeClick();
        form.RadioButton_recjb->setChecked(!handWritten);
        form.RadioButton_homajb->setChecked(handWritten);
        (handWritten ? form.ComboBox_homajb : form.ComboBox_recjb)->setSelectedIndex(0);
        form.DateTimePicker_date->setValue(target);
        form.DateTimePicker_time->setValue(target);
        form.Edit_playtb->setText(count);
        form.RzTrackBar_playa->setPosition(speed);
        form.Speedbutton_sutimeClick();
        return form;
    }

    void expectArmedLook(bool locked, const char* status) {
        EXPECT_EQ(form().Panel12->enabled(), !locked);
        EXPECT_EQ(form().ComboBox_recjb->enabled(), !locked);
        EXPECT_EQ(form().DateTimePicker_time->enabled(), !locked);
        EXPECT_EQ(form().Speedbutton_sutime->enabled(), !locked);
        EXPECT_EQ(form().StatusBar->panelText(1), status);
    }

    // Virtual milliseconds between the first two presses of a key.
    uint64_t gapBetweenFirstPresses(int key) const {
        std::vector<uint64_t> times;
        for (const fake::InputCall& c : fp.input.calls())
            if (c.kind == fake::InputCall::Key && c.a == key && c.b == 0) times.push_back(c.time);
        return times.size() >= 2 ? times[1] - times[0] : 0;
    }
};

TEST_F(TimedStartTest, ArmingLocksThePanelAndFiresOncePerArmingAtItsSecond) {
    auto& form = armAt(on(14, 4, 57), on(14, 5, 0), "2", false, 7);
    EXPECT_EQ(form.Edit_time->text(), "") << "empty until the clock's first update";
    EXPECT_TRUE(form.timeset);
    expectArmedLook(true, kArmed);

    runFor(6);

    EXPECT_EQ(form.Edit_time->text(), "2026-12-07 14:05:03");
    // Two passes, both within the target second, at speed 7 (14 ms a frame, two frames a pass).
    EXPECT_THAT(pressesOf(kRecordingKey), ElementsAre("2026-12-07 14:05:00", "2026-12-07 14:05:00"));
    EXPECT_EQ(gapBetweenFirstPresses(kRecordingKey), 28u);
    EXPECT_FALSE(form.timeset);
    expectArmedLook(false, kDisarmed);
    EXPECT_THAT(errors, IsEmpty());
    EXPECT_FALSE(form.playing) << "a timed start leaves the flags as the player leaves them";
}

TEST_F(TimedStartTest, WhileArmedTheTrayTipAndTheStatusPanelsTipNameTheSecondItFiresAt) {
    auto& form = armAt(on(14, 4, 57), on(14, 5, 0), "1");
    form.Timer_flashTimer();
    EXPECT_EQ(fp.tray.tip, "欢迎使用Tapmill\n定时启动：2026-12-07 14:05:00");
    EXPECT_EQ(form.StatusBar->panelTip(1), "定时启动：2026-12-07 14:05:00");
    EXPECT_EQ(form.StatusBar->panelText(1), kArmed);
    form.Speedbutton_cancelClick();
    form.Timer_flashTimer();
    EXPECT_EQ(fp.tray.tip, "欢迎使用Tapmill");
    EXPECT_EQ(form.StatusBar->panelTip(1), "");
}

TEST_F(TimedStartTest, AHandWrittenScriptRunsThroughTheInterpreterWithoutAnEnabledScript) {
    auto& form = armAt(on(9, 0, 0), on(9, 0, 2), "3", true);
    ASSERT_EQ(form.usename, "");
    runFor(4);
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02", "2026-12-07 09:00:02",
                                                  "2026-12-07 09:00:02"));
    EXPECT_THAT(pressesOf(kRecordingKey), IsEmpty());
    EXPECT_THAT(messages(), IsEmpty());
    expectArmedLook(false, kDisarmed);
}

TEST_F(TimedStartTest, ACountOfZeroPlaysNothingAndDisarmsAtItsSecond) {
    auto& form = armAt(on(9, 0, 0), on(9, 0, 2), "0");
    runFor(1);
    EXPECT_TRUE(form.timeset);
    runFor(3);
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_FALSE(form.timeset);
    expectArmedLook(false, kDisarmed);
}

TEST_F(TimedStartTest, TheEndlessCountPlaysUntilStoppedAndOnlyThenDisarms) {
    auto& form = armAt(on(9, 0, 0), on(9, 0, 2), "99999999999");
    form.CheckBox_loopb->setChecked(true);
    form.CheckBox_loopbClick();
    EXPECT_FALSE(form.Edit_playtb->enabled());
    EXPECT_EQ(form.Edit_playtb->background(), ui::SysColor::Light3D);
    std::string statusWhilePlaying;
    at(on(9, 0, 5), [&] {
        statusWhilePlaying = form.StatusBar->panelText(1);
        form.SpeedButton_stopClick();
    });
    runFor(8);
    EXPECT_EQ(statusWhilePlaying, kArmed);
    EXPECT_GT(pressesOf(kRecordingKey).size(), 50u) << "passes go on for three seconds";
    EXPECT_EQ(pressesOf(kRecordingKey).front(), "2026-12-07 09:00:02");
    EXPECT_LE(fp.input.calls().back().time, tickOf(on(9, 0, 5)) + 40) << "nothing after the frame in progress";
    EXPECT_THAT(errors, IsEmpty()) << "the count field is not read";
    expectArmedLook(false, kDisarmed);
    EXPECT_FALSE(form.Edit_playtb->enabled()) << "unlocking leaves the count to the endless box";
}

TEST_F(TimedStartTest, AnArmedStartOutlastsAShowOfTheWindowAndFiresAtItsSecond) {
    auto& form = armAt(on(9, 0, 0), on(9, 0, 3), "1");
    // Minimised into the notification area and restored: the show step runs again.
    at(on(9, 0, 1), [&] {
        form.window->hide();
        form.window->show();
    });
    runFor(5);
    EXPECT_THAT(pressesOf(kRecordingKey), ElementsAre("2026-12-07 09:00:03"));
    expectArmedLook(false, kDisarmed);
}

TEST_F(TimedStartTest, ArmingWithoutAScriptOfTheChosenKindIsRefused) {
    recording("demo");
    auto& form = startAt(on(9, 0, 0));
    form.Speedbutton_timeClick();
    form.Speedbutton_sutimeClick();
    form.RadioButton_recjb->setChecked(false);
    form.RadioButton_homajb->setChecked(true);
    form.ComboBox_recjb->setSelectedIndex(0);  // a recording chosen does not count for a script
    form.Speedbutton_sutimeClick();
    EXPECT_THAT(messages(), ElementsAre("请选择脚本！", "请选择脚本！"));
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_FALSE(form.timeset);
    expectArmedLook(false, "定时设置：未启动");
}

TEST_F(TimedStartTest, AMomentAlreadyPastIsRefusedButTheCurrentSecondIsArmed) {
    auto& form = armAt(on(9, 0, 0), on(8, 59, 59), "1");
    ASSERT_THAT(messages(), ElementsAre("设定的时间已经过去，请重新设置！"));
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_FALSE(form.timeset);
    expectArmedLook(false, "定时设置：未启动");

    // A day earlier at a later hour is past as well: the date counts before the time of day.
    form.DateTimePicker_date->setValue(on(9, 0, 0, 6));
    form.DateTimePicker_time->setValue(on(23, 0, 0));
    form.Speedbutton_sutimeClick();
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_FALSE(form.timeset);

    form.DateTimePicker_date->setValue(on(9, 0, 0));
    form.DateTimePicker_time->setValue(on(9, 0, 0));
    form.Speedbutton_sutimeClick();
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_TRUE(form.timeset);
    expectArmedLook(true, kArmed);
}

TEST_F(TimedStartTest, ShowingThePanelResetsItsChoicesOnlyWhileIdle) {
    recording("r1");
    script("s1");
    write("jb_strec/j1.ini", "");
    auto& form = startAt(on(9, 0, 0));
    form.Speedbutton_timeClick();
    EXPECT_THAT(items(*form.ComboBox_recjb), ElementsAre("r1"));
    EXPECT_THAT(items(*form.ComboBox_homajb), ElementsAre("s1"));
    EXPECT_THAT(items(*form.ComboBox_stjb), ElementsAre("j1"));
    EXPECT_TRUE(form.Panel_time->visible());
    EXPECT_FALSE(form.Panel_strec->visible());

    form.ComboBox_recjb->setSelectedIndex(0);
    form.DateTimePicker_time->setValue(on(10, 0, 0));
    at(on(9, 0, 2), [&] { form.Speedbutton_timeClick(); });
    runFor(3);
    EXPECT_EQ(form.ComboBox_recjb->selectedIndex(), -1) << "refilling clears the choice";
    EXPECT_EQ(timestamp14(form.DateTimePicker_date->value()).substr(0, 8), "20261207");
    EXPECT_EQ(timestamp14(form.DateTimePicker_time->value()).substr(8), "090002");

    form.ComboBox_recjb->setSelectedIndex(0);
    form.DateTimePicker_time->setValue(on(10, 0, 0));
    form.Speedbutton_sutimeClick();
    form.SpeedButton_mrecClick();
    form.Speedbutton_timeClick();
    EXPECT_EQ(form.ComboBox_recjb->text(), "r1");
    EXPECT_EQ(timestamp14(form.DateTimePicker_time->value()).substr(8), "100000");
}

TEST_F(TimedStartTest, ACountBeyondThirtyTwoBitsIsReportedStartsNothingAndStaysArmed) {
    // A plan task due in the same second still gets its turn.
    script("task");
    write("plan.ini", "[t]\r\nTime=20261207090002\r\njbname=taskM\r\ntimes=1\r\nE=N\r\n");
    write("config.ini", "[plan]\r\nstate=true\r\n");
    auto& form = armAt(on(9, 0, 0), on(9, 0, 2), "2147483648");
    runFor(4);
    EXPECT_THAT(errors, ElementsAre("'2147483648' is not a valid integer value"));
    EXPECT_THAT(pressesOf(kRecordingKey), IsEmpty());
    EXPECT_THAT(pressesOf(kScriptKey), ElementsAre("2026-12-07 09:00:02"));
    EXPECT_TRUE(form.timeset);
    expectArmedLook(true, kArmed);
}

}  // namespace
}  // namespace tapmill
