// Failures the program meets without asking the user anything: a timed start whose script has
// gone, a help file that is not there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "triggers/clock_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class UnansweredFailuresTest : public testing::ClockFixture {
protected:
    // Shows the time panel at `now` and arms a start of the plain recording "demo" at `target`.
    TForm_maintapmill& armAt(const LocalTime& now, const LocalTime& target) {
        recording("demo");
        auto& form = startAt(now);
        form.Speedbutton_timeClick();
        form.RadioButton_recjb->setChecked(true);
        form.ComboBox_recjb->setSelectedIndex(0);
        form.DateTimePicker_date->setValue(target);
        form.DateTimePicker_time->setValue(target);
        form.Edit_playtb->setText("1");
        form.Speedbutton_sutimeClick();
        return form;
    }
};

TEST_F(UnansweredFailuresTest, ATimedStartWhoseRecordingHasGoneIsReportedAndDisarms) {
    auto& form = armAt(on(9, 0, 0), on(9, 0, 2));
    std::filesystem::remove(file("jb_rec/demo.ini"));
    runFor(4);
    EXPECT_THAT(messages(), ElementsAre("名为：'demo'脚本文件不存在！"));
    EXPECT_THAT(fp.input.calls(), IsEmpty());
    EXPECT_FALSE(form.timeset);
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
}

TEST_F(UnansweredFailuresTest, AMissingHelpFileIsOpenedThroughTheShellWithoutAWord) {
    auto& form = startAt(on(9, 0, 0));
    ASSERT_FALSE(exists("TAPMILL帮助文档.CHM"));
    form.RzBitBtn1Click();
    EXPECT_THAT(fp.shell.opened, ElementsAre(dir_ + "/TAPMILL帮助文档.CHM"));
    EXPECT_THAT(messages(), IsEmpty());
}

}  // namespace
}  // namespace tapmill
