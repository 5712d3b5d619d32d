// What the status bar and the tray icon's tip say the program is doing, for the plain and the
// journal recorder and player alike, paused or not.
#include <gtest/gtest.h>

#include <string>

#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

class ActivityDisplayTest : public testing::FormFixture {
protected:
    std::string shown() { return form_->StatusBar->panelText(0) + " | " + fp.tray.tip; }
    void SetUp() override {
        FormFixture::SetUp();
        form_ = &shownForm();
    }
    TForm_maintapmill* form_ = nullptr;
};

TEST_F(ActivityDisplayTest, APausedPlaybackSaysSoAndGoesBackToPlayingOnContinue) {
    write("jb_rec/jb_rec.ini", "[0]\nx=1\ny=1\n[1]\nx=2\ny=2\n[2]\nx=3\ny=3\n[all]\nvalue=3\n");
    form_->recname = "jb_rec";
    std::string paused, continued;
    fp.pump.after(25, [&] {
        form_->OnWMHotKey(HK_Pause);
        paused = shown();
    });
    fp.pump.after(200, [&] {
        form_->OnWMHotKey(HK_Pause);
        continued = shown();
    });

    form_->SpeedButton_playClick();

    EXPECT_EQ(paused, "当前状态：暂停 | Tapmill — 暂停");
    EXPECT_EQ(continued, "当前状态：播放…… | Tapmill — 播放中");
    form_->Timer_flashTimer();
    EXPECT_EQ(shown(), "当前状态： | 欢迎使用Tapmill");
}

TEST_F(ActivityDisplayTest, AJournalRecordingAndPlaybackShowAsThePlainOnesDo) {
    form_->RzBitBtn_strecClick();
    EXPECT_EQ(shown(), "当前状态：录制…… | Tapmill — 录制中");
    form_->OnWMHotKey(HK_JournalPause);
    EXPECT_EQ(shown(), "当前状态：暂停 | Tapmill — 暂停");
    std::string stopped;
    fp.pump.after(50, [&] {
        form_->OnWMHotKey(HK_JournalStop);
        stopped = shown();
    });
    fp.journalHooks.systemRecord(JournalEvent{journal::kWmMouseMove, 5, 5, 0, 0});  // waits for the pause
    EXPECT_EQ(stopped, "当前状态： | 欢迎使用Tapmill");

    // A journal the system plays: the playback goes on after the start returns, and ends in the
    // system's calls, which no handler sees; the next tick of the display does.
    const std::string path = file("jb_strec/stjb.ini");
    journal::writeJournalEvent(path, 0, 0, 0, JournalEvent{journal::kWmMouseMove, 1, 1, 10, 0});
    journal::writeJournalEventCount(path, 1);
    fp.pump.after(10, [&] {
        JournalEvent e{};
        fp.journalHooks.playback(platform::kHcGetNext, &e);
    });
    form_->RzBitBtn_stplayClick();
    EXPECT_EQ(shown(), "当前状态：播放…… | Tapmill — 播放中");
    fp.journalHooks.playback(platform::kHcSkip);
    form_->Timer_flashTimer();
    EXPECT_EQ(shown(), "当前状态： | 欢迎使用Tapmill");
}

}  // namespace
}  // namespace tapmill
