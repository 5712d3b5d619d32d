// The play count, the speed and the endless box of each panel, kept in config.ini from one run of
// the program to the next.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

class PlaySettingsTest : public testing::FormFixture {
protected:
    void closeProgram(TForm_maintapmill& form) {
        fp.dialogs.answerNext(platform::MessageAnswer::Yes);
        ASSERT_TRUE(form.FormCloseQuery());
    }
};

TEST_F(PlaySettingsTest, EachPanelsCountSpeedAndEndlessBoxComeBackAtTheNextStartInTheBoxsMode) {
    TForm_maintapmill& first = shownForm();
    first.Edit_playt->setText("7");
    first.RzTrackBar_speed->setPosition(9);
    first.Edit_playta->setText("3");
    first.CheckBox_loopa->setChecked(true);
    first.CheckBox_loopaClick();
    first.RzTrackBar_st->setPosition(2);
    first.RzCheckBox_loop->setChecked(true);
    first.RzCheckBox_loopClick();
    first.Edit_playtb->setText("12");
    first.RzTrackBar_playa->setPosition(0);
    closeProgram(first);

    TForm_maintapmill& next = shownForm();
    EXPECT_EQ(next.Edit_playt->text(), "7");
    EXPECT_EQ(next.RzTrackBar_speed->position(), 9);
    EXPECT_FALSE(next.CheckBox_loop->checked());
    EXPECT_EQ(next.Edit_playta->text(), "3");
    EXPECT_TRUE(next.CheckBox_loopa->checked());
    EXPECT_FALSE(next.Edit_playta->enabled());
    EXPECT_EQ(next.RzTrackBar_st->position(), 2);
    EXPECT_TRUE(next.stjournal.player.endless) << "the journal panel plays endlessly, as its box says";
    EXPECT_EQ(next.Edit_playtb->text(), "12");
    EXPECT_EQ(next.RzTrackBar_playa->position(), 0);
}

TEST_F(PlaySettingsTest, ValuesTheControlsCannotShowLeaveThemAsAtAFirstStartAndAnUnchangedRunWritesNothing) {
    write("config.ini", "[playrec]\r\ncount=12a\r\nspeed=11\r\nendless=2\r\n[playst]\r\ncount=99999999999\r\nspeed=-1\r\n");
    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.Edit_playt->text(), "1");
    EXPECT_EQ(form.RzTrackBar_speed->position(), 5);
    EXPECT_FALSE(form.CheckBox_loop->checked());
    EXPECT_EQ(form.Edit_stt->text(), "1");
    EXPECT_EQ(form.RzTrackBar_st->position(), 5);
    const std::string before = read("config.ini");
    closeProgram(form);
    EXPECT_EQ(read("config.ini"), before);
}

}  // namespace
}  // namespace tapmill
