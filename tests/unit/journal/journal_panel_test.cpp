// The journal panel as the user drives it: its buttons, its hot keys, and what each show and the
// close of the main window do to a journal recording or playback.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/error.h"
#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "journal/playback_hook.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using platform::MessageAnswer;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

JournalEvent move(int x) { return JournalEvent{journal::kWmMouseMove, x, 0, static_cast<uint32_t>(x) * 10, 0}; }

class JournalPanelTest : public testing::FormFixture {
protected:
    // A journal "name" of `events` mouse moves, 10 ms apart.
    void writeJournal(const std::string& name, int events) {
        const std::string path = file("jb_strec/" + name + ".ini");
        for (int i = 0; i < events; ++i) journal::writeJournalEvent(path, i, 0, 0, move(i));
        journal::writeJournalEventCount(path, events);
    }
    std::string scratch() const { return file("jb_strec/stjb.ini"); }
    // A system that drives its playback hook: it asks for the first event soon after the start.
    void systemPlaysTheNextPlayback() {
        fp.pump.after(10, [this] {
            JournalEvent event{};
            fp.journalHooks.playback(platform::kHcGetNext, &event);
        });
    }
};

TEST_F(JournalPanelTest, ThePanelShowsItsControlsWithTheirStartingTexts) {
    TForm_maintapmill& form = shownForm();
    EXPECT_EQ(form.RzBitBtn_strec->text(), "录制");
    EXPECT_EQ(form.RzBitBtn_ststop->text(), "结束");
    EXPECT_EQ(form.RzBitBtn_stplay->text(), "播放");
    EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
    EXPECT_EQ(form.Label_stjbname->text(), "stjb");
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_EQ(form.Label_strec->text(), "暂不显示");
    EXPECT_EQ(form.Edit_stt->text(), "1");
    EXPECT_EQ(form.RzTrackBar_st->position(), 5);
    EXPECT_EQ(form.RzCheckBox_loop->text(), "无限循环播放");
    EXPECT_FALSE(form.RzCheckBox_loop->checked());
}

TEST_F(JournalPanelTest, RecordingGoesIntoTheScratchJournalAndTheStopWritesItsCount) {
    writeJournal("named", 3);
    TForm_maintapmill& form = shownForm();
    form.Label_stjbname->setText("named");
    form.loadJournal("named");
    write("jb_strec/stjb.ini", "[old]\r\nx=1\r\n");

    form.RzBitBtn_strecClick();
    EXPECT_EQ(form.label_ststate->text(), "录制中…");
    EXPECT_EQ(form.label_stfra->text(), "暂不显示");
    EXPECT_EQ(form.Label_stjbname->text(), "stjb");
    EXPECT_EQ(form.stname, "stjb");
    EXPECT_FALSE(exists("jb_strec/stjb.ini"));
    fp.journalHooks.systemRecord(move(1));
    fp.journalHooks.systemRecord(move(2));

    form.RzBitBtn_ststopClick();
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_EQ(form.label_stfra->text(), "暂不显示");  // until a journal is loaded
    EXPECT_EQ(journal::readJournalEventCount(scratch()), 2);
    EXPECT_EQ(journal::readJournalEventCount(file("jb_strec/named.ini")), 3);
}

// Played back, the stop key would end the very playback; the program it was pressed in never got
// it anyway (the hot key takes it).
TEST_F(JournalPanelTest, ARecordingLeavesOutTheStopKeyWithItsCtrl) {
    fp.journalHooks.refuseSystemRecord = true;  // the low-level hooks see the hot keys too
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    const auto key = [](uint32_t message, uint8_t vk) { return JournalEvent{message, vk | 0x1000, 1, 0, 0}; };
    for (const JournalEvent& event :
         {key(journal::kWmKeyDown, journal::kVkLControl), key(journal::kWmKeyDown, 'Q'), key(journal::kWmKeyUp, 'Q'),
          key(journal::kWmKeyUp, journal::kVkLControl), key(journal::kWmKeyDown, 'A'), key(journal::kWmKeyUp, 'A')})
        fp.journalHooks.lowLevel(event);
    form.RzBitBtn_ststopClick();
    EXPECT_EQ(journal::readJournalEventCount(scratch()), 2) << "A pressed and let go";
}

TEST_F(JournalPanelTest, TheStopWithNothingRecordingOnlyEmptiesTheStateText) {
    TForm_maintapmill& form = shownForm();
    form.label_ststate->setText("暂停…");
    const auto before = folderContents();
    form.RzBitBtn_ststopClick();
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_EQ(folderContents(), before);
}

TEST_F(JournalPanelTest, ARecordingTheSystemCannotServeIsReportedAndChangesNothing) {
    fp.journalHooks.refuseSystemRecord = fp.journalHooks.refuseLowLevel = true;
    writeJournal("stjb", 4);
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    EXPECT_THAT(messages(), ElementsAre("系统不允许安装录制所需的钩子，无法录制！"));
    EXPECT_EQ(fp.dialogs.shown[0].caption, "提醒！");
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_EQ(form.label_stfra->text(), "3");
    EXPECT_EQ(journal::readJournalEventCount(scratch()), 4);
}

TEST_F(JournalPanelTest, TheJournalHotKeysActAsTheirButtons) {
    writeJournal("stjb", 2);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    form.OnWMHotKey(HK_JournalRecord);
    EXPECT_EQ(form.label_ststate->text(), "录制中…");
    form.OnWMHotKey(HK_JournalPause);
    EXPECT_EQ(form.label_ststate->text(), "暂停…");
    form.OnWMHotKey(HK_JournalPause);
    fp.journalHooks.systemRecord(move(1));
    form.OnWMHotKey(HK_JournalStop);
    EXPECT_EQ(journal::readJournalEventCount(scratch()), 1);
    form.OnWMHotKey(HK_JournalPlay);
    fp.pump.runMessageLoop();
    EXPECT_EQ(fp.journalHooks.sent.size(), 1u);
}

TEST_F(JournalPanelTest, PauseTextsDuringARecording) {
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    form.Speedbutton_stpauseClick();
    EXPECT_EQ(form.Speedbutton_stpause->text(), "继续");
    EXPECT_EQ(form.label_ststate->text(), "暂停…");
    EXPECT_TRUE(form.stjournal.recorder.paused);
    EXPECT_TRUE(form.stjournal.player.paused);
    form.Speedbutton_stpauseClick();
    EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
    EXPECT_EQ(form.label_ststate->text(), "录制中…");
    EXPECT_FALSE(form.stjournal.recorder.paused);
    EXPECT_FALSE(form.stjournal.player.paused);
}

TEST_F(JournalPanelTest, PauseTextsDuringAPlayback) {
    writeJournal("stjb", 3);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    std::vector<std::string> seen;
    fp.pump.after(5, [&] {
        form.Speedbutton_stpauseClick();
        seen.push_back(form.Speedbutton_stpause->text() + " " + form.label_ststate->text());
    });
    fp.pump.after(500, [&] {
        form.Speedbutton_stpauseClick();
        seen.push_back(form.Speedbutton_stpause->text() + " " + form.label_ststate->text());
    });
    form.RzBitBtn_stplayClick();
    fp.pump.runMessageLoop();
    EXPECT_THAT(seen, ElementsAre("继续 暂停…", "暂停 播放中…"));
    EXPECT_EQ(fp.journalHooks.sent.size(), 3u);
}

TEST_F(JournalPanelTest, ThePauseButtonDoesNothingWhenNothingRuns) {
    TForm_maintapmill& form = shownForm();
    form.Speedbutton_stpauseClick();
    EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_FALSE(form.stjournal.player.paused);
}

TEST_F(JournalPanelTest, PlayLoadsTheJournalNamedByItsLabelAndPlaysItsPasses) {
    writeJournal("demo", 4);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    form.Label_stjbname->setText("demo");
    form.Edit_stt->setText("2");
    form.RzTrackBar_st->setPosition(10);
    form.RzBitBtn_stplayClick();
    EXPECT_EQ(form.stname, "demo");
    EXPECT_EQ(form.label_stfra->text(), "3");
    EXPECT_EQ(form.label_ststate->text(), "");
    fp.pump.runMessageLoop();
    EXPECT_EQ(fp.journalHooks.sent.size(), 8u);
    EXPECT_FALSE(form.stjournal.player.playing);
}

TEST_F(JournalPanelTest, ACountThatIsNoNumberStopsTheStartAfterTheLoad) {
    writeJournal("stjb", 3);
    TForm_maintapmill& form = shownForm();
    form.Edit_stt->setText("99999999999");
    form.label_stfra->setText("x");
    try {
        form.RzBitBtn_stplayClick();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
    EXPECT_EQ(form.label_stfra->text(), "2");
    EXPECT_EQ(fp.journalHooks.installs, 0);
    EXPECT_FALSE(form.stjournal.player.playing);
}

// The endless mode is what the box shows, also after the window came back from the tray.
TEST_F(JournalPanelTest, AfterAShowTheEndlessBoxStillDecidesWhetherPassesRepeat) {
    writeJournal("stjb", 3);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    for (const bool ticked : {true, false}) {
        SCOPED_TRACE(ticked ? "ticked" : "unticked");
        form.RzCheckBox_loop->setChecked(ticked);
        form.RzCheckBox_loopClick();
        form.FormShow();
        fp.journalHooks.sent.clear();
        fp.pump.after(1000, [&] { form.WMCancelJournal(); });

        form.RzBitBtn_stplayClick();
        fp.pump.runMessageLoop();

        EXPECT_EQ(form.RzCheckBox_loop->checked(), ticked);
        EXPECT_EQ(form.Edit_stt->enabled(), !ticked);
        if (ticked) {
            EXPECT_GT(fp.journalHooks.sent.size(), 6u) << "pass after pass until stopped";
        } else {
            EXPECT_EQ(fp.journalHooks.sent.size(), 3u) << "one pass";
        }
    }
}

TEST_F(JournalPanelTest, TheCountFieldTakesOnlyDigits) {
    TForm_maintapmill& form = shownForm();
    ui::EventArgs typed;
    typed.key = 'x';
    form.onControlEvent(ID_Edit_stt, ui::Event::KeyPress, typed);
    EXPECT_EQ(typed.key, 0);
    EXPECT_THAT(fp.dialogs.beeps, ElementsAre(1u));
}

TEST_F(JournalPanelTest, AShowDuringAPlaybackEndsItLeavingNoHookOrDriver) {
    writeJournal("stjb", 3);
    TForm_maintapmill& form = shownForm();
    systemPlaysTheNextPlayback();
    form.RzBitBtn_stplayClick();
    ASSERT_TRUE(fp.journalHooks.installed(HookType::SystemPlayback));
    form.FormShow();
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemPlayback));
    EXPECT_FALSE(form.stjournal.player.playing);
    form.RzBitBtn_stplayClick();
    EXPECT_EQ(fp.journalHooks.installedCount(HookType::SystemPlayback), 1);
}

TEST_F(JournalPanelTest, ARecordingAShowLeftRunningStillEndsWithTheStopAndAtTheClose) {
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    form.FormShow();
    EXPECT_FALSE(form.stjournal.recorder.recording);
    fp.journalHooks.systemRecord(move(1));  // the hook goes on recording
    fp.dialogs.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(journal::readJournalEventCount(scratch()), 1);
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemRecord));
}

TEST_F(JournalPanelTest, TheCloseEndsAJournalPlayback) {
    writeJournal("stjb", 3);
    TForm_maintapmill& form = shownForm();
    systemPlaysTheNextPlayback();
    form.RzBitBtn_stplayClick();
    ASSERT_TRUE(fp.journalHooks.installed(HookType::SystemPlayback));
    fp.dialogs.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemPlayback));
}

TEST_F(JournalPanelTest, APlaybackTheSystemCancelledEndsAndPlayStartsAnotherOne) {
    writeJournal("stjb", 3);
    TForm_maintapmill& form = shownForm();
    systemPlaysTheNextPlayback();
    form.RzBitBtn_stplayClick();
    form.Speedbutton_stpauseClick();
    ASSERT_TRUE(fp.journalHooks.installed(HookType::SystemPlayback));

    // Ctrl+Esc: the system removes the hook itself and says so to the thread.
    form.onMessage(journal::kWmCancelJournal, 0, 0);

    EXPECT_FALSE(form.stjournal.player.playing);
    EXPECT_FALSE(form.stjournal.player.paused);
    EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
    form.RzBitBtn_stplayClick();
    EXPECT_EQ(fp.journalHooks.installedCount(HookType::SystemPlayback), 1);
}

TEST_F(JournalPanelTest, APassTheSystemPlayedWhoseNextHookItRefusesIsFollowedByTheProgramsOwn) {
    writeJournal("stjb", 2);
    TForm_maintapmill& form = shownForm();
    form.Edit_stt->setText("2");
    form.RzBitBtn_stplayClick();
    ASSERT_TRUE(fp.journalHooks.installed(HookType::SystemPlayback));

    fp.journalHooks.refuseSystemPlayback = true;
    for (int event = 0; event < 2; ++event) {
        JournalEvent e{};
        fp.journalHooks.playback(platform::kHcGetNext, &e);
        fp.journalHooks.playback(platform::kHcSkip);
    }
    EXPECT_TRUE(form.stjournal.player.playing);
    fp.pump.runMessageLoop();

    EXPECT_EQ(fp.journalHooks.sent.size(), 2u) << "the second pass";
    EXPECT_FALSE(form.stjournal.player.playing);
    EXPECT_FALSE(form.stjournal.playbackHook.installed());
}

// Where the program plays the journal itself (the system refuses the hook or never calls it).
TEST_F(JournalPanelTest, AJournalPlayedDuringAPlainRecordingPlaysBesideItAndTheFramesFollowItsPointer) {
    const std::string path = file("jb_strec/path.ini");
    for (int i = 0; i < 10; ++i)
        journal::writeJournalEvent(path, i, 0, 0,
                                   JournalEvent{journal::kWmMouseMove, 100 * (i + 1), 5, 100u * static_cast<uint32_t>(i), 0});
    journal::writeJournalEventCount(path, 10);
    fp.journalHooks.refuseSystemPlayback = true;
    // The pointer goes where the last injected event put it.
    fp.input.userPointer = [this] {
        const auto& sent = fp.journalHooks.sent;
        return sent.empty() ? platform::Point{0, 5} : platform::Point{sent.back().event.paramL, sent.back().event.paramH};
    };
    TForm_maintapmill& form = shownForm();
    form.Label_stjbname->setText("path");
    const uint64_t start = fp.pump.now();
    // Between two frames, so that no frame and event fall on the same millisecond.
    fp.pump.at(start + 110, [&] { form.RzBitBtn_stplayClick(); });
    fp.pump.at(start + 1305, [&] { form.OnWMHotKey(HK_Stop); });

    form.SpeedButton_recClick();

    const std::string recording = form.exedir + "jb_rec\\jb_rec.ini";
    const int32_t frames = profile::readInteger(recording, "all", "value", -1);
    ASSERT_EQ(frames, 66);
    for (int32_t f = 0; f < frames; ++f) {
        const int64_t sampled = 20 * (f + 1) - 110;  // since the journal's first event
        const int expected = sampled < 0 ? 0 : std::min(1000, 100 * static_cast<int>(sampled / 100 + 1));
        EXPECT_EQ(profile::readInteger(recording, std::to_string(f), "x", -1), expected) << "frame " << f;
    }
    EXPECT_FALSE(form.stjournal.player.playing);
}

TEST_F(JournalPanelTest, CtrlEscEndsAnEndlessPlaybackTheProgramPlaysItselfAndIsTheSystemsOtherwise) {
    writeJournal("stjb", 3);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    form.RzCheckBox_loop->setChecked(true);
    form.RzCheckBox_loopClick();
    EXPECT_FALSE(fp.journalHooks.cancelKeyWatched) << "no playback: Ctrl+Esc opens the Start menu";
    const uint64_t start = fp.pump.now();
    size_t sentAtCtrlEsc = 0;
    fp.pump.at(start + 1005, [&] {
        sentAtCtrlEsc = fp.journalHooks.sent.size();
        fp.journalHooks.userPressesCtrlEsc();
    });
    // Were Ctrl+Esc lost, a show would end the playback later.
    bool playingLater = true;
    fp.pump.at(start + 5000, [&] {
        playingLater = form.stjournal.player.playing;
        form.FormShow();
    });

    form.RzBitBtn_stplayClick();
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：播放……") << "the click returns, the playback goes on";
    fp.pump.runMessageLoop();

    EXPECT_FALSE(playingLater);
    EXPECT_GT(sentAtCtrlEsc, 3u) << "several passes played";
    EXPECT_EQ(fp.journalHooks.sent.size(), sentAtCtrlEsc);
    EXPECT_FALSE(form.stjournal.player.playing);
    EXPECT_FALSE(fp.journalHooks.cancelKeyWatched);
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
}

// Where the program plays the journal itself the user's keys and clicks reach it (the system's own
// playback holds them back): the stop button, its key and Ctrl+Q end the playback as Ctrl+Esc does,
// a paused one too instead of letting it go on.
struct JournalStopCase {
    const char* name;
    bool pausedFirst;
    void (*stop)(TForm_maintapmill&);
};

void PrintTo(const JournalStopCase& stop, std::ostream* out) { *out << stop.name; }

class JournalStopTest : public JournalPanelTest, public ::testing::WithParamInterface<JournalStopCase> {};

TEST_P(JournalStopTest, EndsAnEndlessPlaybackTheProgramPlaysItself) {
    writeJournal("stjb", 3);
    fp.journalHooks.refuseSystemPlayback = true;
    TForm_maintapmill& form = shownForm();
    form.RzCheckBox_loop->setChecked(true);
    form.RzCheckBox_loopClick();
    const uint64_t start = fp.pump.now();
    if (GetParam().pausedFirst) fp.pump.at(start + 505, [&] { form.Speedbutton_stpauseClick(); });
    size_t sentAtStop = 0;
    fp.pump.at(start + 1005, [&] {
        sentAtStop = fp.journalHooks.sent.size();
        GetParam().stop(form);
    });
    // Were the stop lost, a show would end the playback later.
    bool playingLater = true;
    fp.pump.at(start + 5000, [&] {
        playingLater = form.stjournal.player.playing;
        form.FormShow();
    });

    form.RzBitBtn_stplayClick();
    fp.pump.runMessageLoop();

    EXPECT_FALSE(playingLater);
    EXPECT_GT(sentAtStop, 3u) << "several passes played";
    EXPECT_EQ(fp.journalHooks.sent.size(), sentAtStop);
    EXPECT_FALSE(fp.journalHooks.cancelKeyWatched);
    EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
    EXPECT_EQ(form.label_ststate->text(), "");
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
}

INSTANTIATE_TEST_SUITE_P(
    Stops, JournalStopTest,
    ::testing::Values(JournalStopCase{"StopButton", false, [](TForm_maintapmill& f) { f.RzBitBtn_ststopClick(); }},
                      JournalStopCase{"AltQ", false, [](TForm_maintapmill& f) { f.OnWMHotKey(HK_JournalStop); }},
                      JournalStopCase{"CtrlQ", false, [](TForm_maintapmill& f) { f.OnWMHotKey(HK_Stop); }},
                      JournalStopCase{"UserStopKey", false,
                                      [](TForm_maintapmill& f) {
                                          HotKeyEntry stop;
                                          stop.stops = true;
                                          f.userHotKeyPressed(stop);
                                      }},
                      JournalStopCase{"StopButtonWhilePaused", true, [](TForm_maintapmill& f) { f.RzBitBtn_ststopClick(); }},
                      JournalStopCase{"CtrlQWhilePaused", true, [](TForm_maintapmill& f) { f.OnWMHotKey(HK_Stop); }}),
    [](const ::testing::TestParamInfo<JournalStopCase>& info) { return std::string(info.param.name); });

TEST_F(JournalPanelTest, CtrlEscEndsAPlaybackWhileTheProgramStillWaitsForTheSystemToDriveIt) {
    writeJournal("stjb", 3);
    fp.journalHooks.playbackHookInert = true;
    TForm_maintapmill& form = shownForm();
    fp.pump.at(fp.pump.now() + journal::PlaybackHook::kFirstCallMs / 2, [&] { fp.journalHooks.userPressesCtrlEsc(); });

    form.RzBitBtn_stplayClick();
    fp.pump.runMessageLoop();

    EXPECT_TRUE(fp.journalHooks.sent.empty());
    EXPECT_FALSE(form.stjournal.player.playing);
    EXPECT_EQ(form.StatusBar->panelText(0), "当前状态：");
}

}  // namespace
}  // namespace tapmill
