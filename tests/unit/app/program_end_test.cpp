// How the program ends: the close the user confirms and the end of the user's session. Nothing
// may stay parked in a pause, a failure on the way may not leave a half-closed window, and what is
// being recorded must be complete on disk at the moment the system may end the process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using platform::MessageAnswer;
using ::testing::IsEmpty;

JournalEvent move(int x) { return JournalEvent{journal::kWmMouseMove, x, 0, static_cast<uint32_t>(x) * 10, 0}; }

class ProgramEndTest : public testing::FormFixture {
protected:
    std::string plainScratch() const { return file("jb_rec/jb_rec.ini"); }
    std::string journalScratch() const { return file("jb_strec/stjb.ini"); }

    // The frame sections of a plain recording: every section but "all".
    int frameSections(const std::string& path) const {
        int n = 0;
        for (const std::string& s : profile::sectionNames(path)) n += s != "all";
        return n;
    }
    int journalEventSections(const std::string& path) const {
        int n = 0;
        for (const std::string& s : profile::sectionNames(path)) n += s != "end";
        return n;
    }
    void makeReadOnly(const std::string& path) const {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
    }
};

TEST_F(ProgramEndTest, TheCloseAndTheJournalStopReleaseARecordCallParkedInThePause) {
    for (const bool byClose : {false, true}) {
        SCOPED_TRACE(byClose ? "close" : "journal stop");
        TForm_maintapmill& form = shownForm();
        form.RzBitBtn_strecClick();
        form.OnWMHotKey(HK_JournalPause);
        bool stillParked = false;
        fp.pump.after(100, [&] {
            if (byClose) {
                fp.dialogs.answerNext(MessageAnswer::Yes);
                EXPECT_TRUE(form.FormCloseQuery());
            } else {
                form.OnWMHotKey(HK_JournalStop);
            }
        });
        // Only if nothing else lets the parked call go: the test ends instead of waiting for ever.
        fp.pump.after(60000, [&] {
            stillParked = true;
            form.stjournal.recorder.paused = false;
        });

        fp.journalHooks.systemRecord(move(1));  // parks in the pause until something ends it

        EXPECT_FALSE(stillParked);
        EXPECT_FALSE(form.stjournal.recorder.paused);
        EXPECT_FALSE(form.stjournal.player.paused);
        EXPECT_EQ(form.Speedbutton_stpause->text(), "暂停");
        EXPECT_EQ(journal::readJournalEventCount(journalScratch()), 0) << "the held event came after the stop";
    }
}

TEST_F(ProgramEndTest, ACloseWhoseJournalCountCannotBeWrittenStillEndsAndSaysSo) {
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    fp.journalHooks.systemRecord(move(1));
    makeReadOnly(journalScratch());
    fp.dialogs.answerNext(MessageAnswer::Yes);

    EXPECT_TRUE(form.FormCloseQuery());

    EXPECT_EQ(messages().size(), 2u);
    EXPECT_THAT(messages().back(), ::testing::StartsWith("Unable to write to "));
    EXPECT_EQ(fp.dialogs.shown.back().caption, "Tapmill");
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemRecord));
    EXPECT_FALSE(fp.tray.shown);
    EXPECT_EQ(fp.hotkeys.unregistered.size(), 5u);
}

TEST_F(ProgramEndTest, AJournalEventThatCannotBeWrittenEndsTheRecordingOnceAndCleanly) {
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    fp.journalHooks.systemRecord(move(1));
    makeReadOnly(journalScratch());

    fp.journalHooks.systemRecord(move(2));

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_THAT(messages()[0], ::testing::StartsWith("Unable to write to "));
    EXPECT_FALSE(form.stjournal.recorder.recording);
    EXPECT_FALSE(form.stjournal.recorder.hookHeld());
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemRecord));
    EXPECT_EQ(form.label_ststate->text(), "");
    // The next recording starts afresh.
    std::filesystem::remove(journalScratch());
    form.RzBitBtn_strecClick();
    EXPECT_EQ(form.label_ststate->text(), "录制中…");
    EXPECT_TRUE(fp.journalHooks.installed(HookType::SystemRecord));
}

TEST_F(ProgramEndTest, AtTheSessionsEndAPlainRecordingIsCompleteBeforeTheSystemCouldEndTheProcess) {
    TForm_maintapmill& form = shownForm();
    int countAtEnd = -1, framesAtEnd = -1;
    fp.pump.after(205, [&] {
        form.WMEndSession();
        // The system may end the process here: the file must be whole now.
        countAtEnd = profile::readInteger(plainScratch(), "all", "value", -1);
        framesAtEnd = frameSections(plainScratch());
    });

    form.SpeedButton_recClick();

    EXPECT_GT(countAtEnd, 5);
    EXPECT_EQ(countAtEnd, framesAtEnd);
    // Nor does the recording loop add to it when it gets its turn back.
    EXPECT_EQ(profile::readInteger(plainScratch(), "all", "value", -1), countAtEnd);
    EXPECT_EQ(frameSections(plainScratch()), countAtEnd);
    EXPECT_THAT(messages(), IsEmpty()) << "nothing is asked or reported at the session's end";
    EXPECT_FALSE(fp.hooks.mouseOn);
    EXPECT_FALSE(fp.hooks.keysOn);
    EXPECT_FALSE(fp.tray.shown);
}

TEST_F(ProgramEndTest, AtTheSessionsEndAPausedJournalRecordingGetsItsCountAndLetsGoOfItsCall) {
    TForm_maintapmill& form = shownForm();
    form.RzBitBtn_strecClick();
    fp.journalHooks.systemRecord(move(1));
    fp.journalHooks.systemRecord(move(2));
    form.OnWMHotKey(HK_JournalPause);
    fp.pump.after(100, [&] {
        form.WMEndSession();
        EXPECT_EQ(journal::readJournalEventCount(journalScratch()), 2);
        EXPECT_EQ(journalEventSections(journalScratch()), 2);
    });
    fp.journalHooks.systemRecord(move(3));  // parked until the session's end lets it go

    EXPECT_EQ(journal::readJournalEventCount(journalScratch()), 2);
    EXPECT_FALSE(fp.journalHooks.installed(HookType::SystemRecord));
    EXPECT_THAT(messages(), IsEmpty());
}

}  // namespace
}  // namespace tapmill
