// The play settings kept in config.ini, as the program reads values it did not write (their return
// after a restart is driven end to end in test_options.py).
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

class PlaySettingsTest : public testing::FormFixture {};

TEST_F(PlaySettingsTest, ValuesTheControlsCannotShowLeaveThemAsAtAFirstStartAndAnUnchangedRunWritesNothing) {
    write("config.ini", "[playrec]\r\ncount=12a\r\nspeed=11\r\nendless=2\r\n[playst]\r\ncount=99999999999\r\nspeed=-1\r\n");
    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.Edit_playt->text(), "1");
    EXPECT_EQ(form.RzTrackBar_speed->position(), 5);
    EXPECT_FALSE(form.CheckBox_loop->checked());
    EXPECT_EQ(form.Edit_stt->text(), "1");
    EXPECT_EQ(form.RzTrackBar_st->position(), 5);
    const std::string before = read("config.ini");
    fp.dialogs.answerNext(platform::MessageAnswer::Yes);
    ASSERT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(read("config.ini"), before);
}

TEST_F(PlaySettingsTest, TheWindowFollowingChoiceIsKeptAcrossRestartsAndAFaultyValueLeavesItTicked) {
    write("config.ini", "[playrec]\r\nfollow=2\r\n");
    TForm_maintapmill& form = shownForm();
    EXPECT_TRUE(form.windowFollowChoice().followsWindows());
    form.windowFollowChoice().box().setChecked(false);
    fp.dialogs.answerNext(platform::MessageAnswer::Yes);
    ASSERT_TRUE(form.FormCloseQuery());

    // A restart.
    TForm_maintapmill& again = shownForm();
    EXPECT_FALSE(again.windowFollowChoice().followsWindows());
}

}  // namespace
}  // namespace tapmill
