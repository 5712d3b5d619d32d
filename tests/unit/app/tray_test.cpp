// The notification-area icon: its pictures tick by tick, its menu, the minimise into it and the
// way back, and its return after the taskbar is created again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

using platform::TrayPicture;
using Call = fake::FakeTray::Call;

class TrayTest : public testing::FormFixture {
protected:
    // The pictures of the next ticks, one letter each: N normal, R recording, P playback. Every
    // tick must change the picture at least once, as the activity display does on each tick.
    std::string ticks(TForm_maintapmill& form, int count) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            size_t before = fp.tray.calls.size();
            form.Timer_flashTimer();
            EXPECT_GT(fp.tray.calls.size(), before) << "a tick without a picture";
            const auto& last = fp.tray.calls.back();
            EXPECT_EQ(last.call, Call::Change);
            out += last.picture == TrayPicture::Normal ? 'N' : last.picture == TrayPicture::Recording ? 'R' : 'P';
        }
        return out;
    }
};

TEST_F(TrayTest, TheIconIsAddedAtEveryShowAndRemovedAtTheClose) {
    auto& form = shownForm();
    ASSERT_FALSE(fp.tray.calls.empty());
    EXPECT_EQ(fp.tray.calls[0].call, Call::Add);
    EXPECT_EQ(fp.tray.calls[0].picture, TrayPicture::Normal);
    EXPECT_TRUE(fp.tray.shown);

    form.window->hide();
    form.window->show();
    EXPECT_EQ(fp.tray.calls.back().call, Call::Add) << "added again; refused harmlessly";

    fp.dialogs.answerNext(platform::MessageAnswer::Yes);
    form.window->close();
    EXPECT_FALSE(fp.tray.shown);
    EXPECT_EQ(std::count_if(fp.tray.calls.begin(), fp.tray.calls.end(), [](auto& c) { return c.call == Call::Remove; }), 2)
        << "at the close request and again at the close";
}

TEST_F(TrayTest, RecordingShowsItsPictureSteadilyOrFlashingWithTheOption) {
    auto& form = shownForm();
    form.recording = true;
    EXPECT_EQ(ticks(form, 4), "RRRR");
    form.CheckBox_lzsy->setChecked(true);  // takes effect at once, unsaved
    EXPECT_EQ(ticks(form, 4), "NRNR");
    form.recording = false;
    EXPECT_EQ(ticks(form, 1), "N");
}

TEST_F(TrayTest, PlaybackFlashesOnlyWithTheOption) {
    auto& form = shownForm();
    for (bool* flag : {&form.playing, &form.running}) {
        *flag = true;
        form.CheckBox_bfsy->setChecked(false);
        fp.tray.calls.clear();
        form.Timer_flashTimer();
        EXPECT_TRUE(fp.tray.calls.empty()) << "the picture is left as it is";
        form.CheckBox_bfsy->setChecked(true);
        std::string seen = ticks(form, 4);
        EXPECT_TRUE(seen == "PNPN" || seen == "NPNP") << seen;
        *flag = false;
        EXPECT_EQ(ticks(form, 1), "N");
    }
}

TEST_F(TrayTest, RecordingAndPlaybackAtOnceLetTheLastPictureWin) {
    auto& form = shownForm();
    form.recording = form.playing = true;
    form.CheckBox_bfsy->setChecked(true);
    fp.tray.calls.clear();
    form.Timer_flashTimer();
    ASSERT_EQ(fp.tray.calls.size(), 2u);
    EXPECT_EQ(fp.tray.calls[0].picture, TrayPicture::Recording);
    EXPECT_EQ(fp.tray.calls[1].picture, TrayPicture::Playback);
}

TEST_F(TrayTest, MinimiseHidesAndADoubleClickShowsAgainWithTheShowStep) {
    auto& form = shownForm();
    ui::memory::as<ui::memory::MemoryWindow>(*form.window).minimize();
    EXPECT_FALSE(form.window->visible());

    form.playing = true;  // a show clears the flags: proof the show step ran
    form.onMessage(platform::kTrayCallbackMessage, 100, 515);
    EXPECT_TRUE(form.window->visible());
    EXPECT_FALSE(form.playing);
    EXPECT_FALSE(form.window->minimized());
}

TEST_F(TrayTest, TheWindowComesBackInFrontByDoubleClickAndByTheMenu) {
    auto& form = shownForm();
    ui::memory::as<ui::memory::MemoryWindow>(*form.window).minimize();
    form.onMessage(platform::kTrayCallbackMessage, 100, 515);
    EXPECT_TRUE(form.window->visible());
    EXPECT_EQ(fp.tray.foregrounded, 1);

    ui::memory::as<ui::memory::MemoryWindow>(*form.window).minimize();
    form.N1Click();
    EXPECT_TRUE(form.window->visible());
    EXPECT_EQ(fp.tray.foregrounded, 2);
}

TEST_F(TrayTest, TheMenuOpensAtTheCursorAndItsItemsAct) {
    auto& form = shownForm();
    form.window->hide();
    fp.input.setCursorPos(700, 500);
    fp.tray.menuChoice = [] { return 0; };
    form.onMessage(platform::kTrayCallbackMessage, 100, 517);
    EXPECT_THAT(fp.tray.lastMenu, ::testing::ElementsAre("显示Tapmill窗口", "退出"));
    EXPECT_EQ(fp.tray.lastMenuAt.x, 700);
    EXPECT_EQ(fp.tray.lastMenuAt.y, 500);
    EXPECT_EQ(fp.tray.foregrounded, 2) << "for the menu, then for the window it brought back";
    EXPECT_TRUE(form.window->visible());

    fp.tray.menuChoice = [] { return 1; };
    form.onMessage(platform::kTrayCallbackMessage, 100, 517);
    ASSERT_EQ(fp.dialogs.shown.size(), 1u);
    EXPECT_EQ(fp.dialogs.shown[0].text, "是否真的要退出Tapmill？");
    EXPECT_TRUE(form.window->visible()) << "No keeps it";

    fp.tray.menuChoice = [] { return -1; };
    form.onMessage(platform::kTrayCallbackMessage, 100, 512);  // a mouse move does nothing
    EXPECT_EQ(fp.dialogs.shown.size(), 1u);
}

TEST_F(TrayTest, ANewTaskbarGetsTheIconBackWithItsCurrentPicture) {
    auto& form = shownForm();
    form.recording = true;
    form.Timer_flashTimer();
    fp.tray.shown = false;  // Explorer restarted
    EXPECT_TRUE(form.onMessage(fp.tray.taskbarCreatedMessage(), 0, 0));
    EXPECT_TRUE(fp.tray.shown);
    EXPECT_EQ(fp.tray.calls.back().call, Call::Add);
    EXPECT_EQ(fp.tray.calls.back().picture, TrayPicture::Recording);
}

}  // namespace
}  // namespace tapmill
