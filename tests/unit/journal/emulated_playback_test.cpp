// The emulated playback driver: where the system refuses the playback hook or never calls it,
// the program plays the journal itself, with the same procedure, on the fake pump's clock.
#include "journal/emulated_playback.h"

#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/delay.h"
#include "journal/input_messages.h"
#include "journal/journal_player.h"
#include "platform/fake/fake_journal_hooks.h"
#include "platform/fake/fake_pump.h"

namespace tapmill::journal {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class EmulatedPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_jemu_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        journal.file = dir_ + "/stjb.ini";
        origin_ = pump.now();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Events at these tick counts; event i is a move to (i, 0), every third one a click there.
    void useJournal(const std::vector<uint32_t>& times) {
        std::filesystem::remove(journal.file);
        for (size_t i = 0; i < times.size(); ++i) {
            const uint32_t message = i % 3 == 2 ? kWmLButtonDown : kWmMouseMove;
            writeJournalEvent(journal.file, static_cast<int32_t>(i), 0, 0,
                              JournalEvent{message, static_cast<int32_t>(i), 0, times[i], 0});
        }
        writeJournalEventCount(journal.file, static_cast<int32_t>(times.size()));
        journal.table = loadJournal(journal.file).events;
    }

    // A playback as the start button begins it, and the message loop until nothing is left to do.
    void play(int32_t passes, int speed, bool endless = false) {
        player.start(passes, speed, endless);
        pump.runMessageLoop();
    }

    // When each injected event went out, in virtual ms since the test began, and which it was.
    std::vector<uint64_t> sentTimes() const {
        std::vector<uint64_t> out;
        for (const auto& s : hooks.sent) out.push_back(s.time - origin_);
        return out;
    }
    std::vector<int32_t> sentEvents() const {
        std::vector<int32_t> out;
        for (const auto& s : hooks.sent) out.push_back(s.event.paramL);
        return out;
    }

    fake::FakePump pump;
    FakeJournalHooks hooks{pump};
    CurrentJournal journal;
    PlaybackHook hook{hooks, pump};
    JournalPlayer player{journal, hook, pump};
    std::string dir_;
    uint64_t origin_ = 0;
};

TEST_F(EmulatedPlaybackTest, WhereTheSystemRefusesTheHookTheDriverPlaysEachEventAfterItsScaledGap) {
    hooks.refuseSystemPlayback = true;
    useJournal({500, 600, 1000, 1000, 3000});
    play(1, 5);
    EXPECT_THAT(sentEvents(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_THAT(sentTimes(), ElementsAre(0, 100, 500, 500, 2500));
    EXPECT_EQ(hooks.sent[2].event.message, kWmLButtonDown);
    EXPECT_FALSE(player.playing);
    EXPECT_FALSE(hook.installed());
    EXPECT_EQ(pump.fineTimingDepth(), 0);
}

TEST_F(EmulatedPlaybackTest, AHookTheSystemGrantsButDoesNotCallIsDroppedAfter200Ms) {
    useJournal({0, 100, 300});
    play(1, 10);
    EXPECT_FALSE(hooks.installed(HookType::SystemPlayback));
    EXPECT_THAT(sentEvents(), ElementsAre(0, 1, 2));
    EXPECT_THAT(sentTimes(), ElementsAre(200, 206, 218));
    // Later playbacks of the run go straight to the driver, after the first gap.
    const int installs = hooks.installs;
    origin_ = pump.now();
    hooks.sent.clear();
    play(1, 10);
    EXPECT_EQ(hooks.installs, installs);
    EXPECT_THAT(sentTimes(), ElementsAre(6, 12, 24));
}

TEST_F(EmulatedPlaybackTest, AHookTheSystemCallsIsLeftToTheSystem) {
    useJournal({0, 100});
    pump.after(50, [&] {
        JournalEvent event{};
        hooks.playback(platform::kHcGetNext, &event);
    });
    player.start(1, 5);
    EXPECT_EQ(pump.now(), origin_) << "the start waits for nothing";
    pump.runMessageLoop();
    EXPECT_TRUE(hooks.installed(HookType::SystemPlayback));
    EXPECT_TRUE(hooks.sent.empty());
}

TEST_F(EmulatedPlaybackTest, PassesFollowOneAnotherWithTheFirstGapBetweenThem) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 10, 30});
    play(3, 5);
    EXPECT_THAT(sentEvents(), ElementsAre(0, 1, 2, 0, 1, 2, 0, 1, 2));
    EXPECT_THAT(sentTimes(), ElementsAre(0, 10, 30, 40, 50, 70, 80, 90, 110));
}

TEST_F(EmulatedPlaybackTest, TheTimeInjectionTakesDoesNotAddUp) {
    hooks.refuseSystemPlayback = true;
    hooks.sendCostMs = 3;
    useJournal({0, 20, 40, 60, 80, 100});
    play(1, 5);
    EXPECT_THAT(sentTimes(), ElementsAre(0, 20, 40, 60, 80, 100));
}

TEST_F(EmulatedPlaybackTest, APauseMovesTheRestOfThePlaybackOnByItsLength) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100, 200, 300});
    pump.at(pump.now() + 150, [&] { player.paused = true; });
    pump.at(pump.now() + 1150, [&] { player.paused = false; });
    play(1, 5);
    // The event due at 200 was asked for at 100 and held at the pause until 1160 (the pause
    // looks every 20 ms); the gaps after it stay as recorded.
    EXPECT_THAT(sentTimes(), ElementsAre(0, 100, 1160, 1260));
}

TEST_F(EmulatedPlaybackTest, AShowEndsThePlaybackAtOnceEvenInALongWait) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100000, 100001});
    pump.after(120, [&] { player.endOnShow(); });
    play(1, 5);
    EXPECT_THAT(sentEvents(), ElementsAre(0));
    EXPECT_LE(pump.now() - origin_, 170u);
    EXPECT_FALSE(player.playing);
    EXPECT_FALSE(hook.installed());
}

TEST_F(EmulatedPlaybackTest, EventsWithoutGapsStillLetTheWindowsMessagesThrough) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 1, 2, 3});  // no wait at all at speed 10
    int handled = 0;
    pump.post([&] {
        ++handled;
        player.endless = false;  // as a click on the endless box would
    });
    play(1, 10, /*endless=*/true);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(hooks.sent.size(), 4u);
}

TEST_F(EmulatedPlaybackTest, AStartDuringThePlaybackStartsNoSecondOne) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100, 200});
    pump.after(50, [&] { player.start(1, 5); });
    play(1, 5);
    EXPECT_THAT(sentEvents(), ElementsAre(0, 1, 2));
}

TEST_F(EmulatedPlaybackTest, AfterAShowANewStartPlaysOnceWithNoLeftoverOfTheOldPlayback) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100, 200});
    pump.after(50, [&] {
        player.endOnShow();
        player.start(1, 5);
    });
    play(1, 5);
    EXPECT_THAT(sentEvents(), ElementsAre(0, 0, 1, 2));
    EXPECT_FALSE(hook.installed());
}

TEST_F(EmulatedPlaybackTest, ALoopOfAnotherHandlerDoesNotHoldThePlaybackUp) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100, 200, 300});
    // A recording or a script run: a handler that loops, waiting through Delay, for a second.
    pump.after(50, [&] { Delay(pump, 1000); });
    play(1, 5);
    EXPECT_THAT(sentTimes(), ElementsAre(0, 100, 200, 300));
}

TEST_F(EmulatedPlaybackTest, CtrlEscIsWatchedOnlyWhileTheProgramPlaysItself) {
    hooks.refuseSystemPlayback = true;
    useJournal({0, 100, 200});
    std::vector<bool> watched{hooks.cancelKeyWatched};
    pump.after(150, [&] { watched.push_back(hooks.cancelKeyWatched); });
    play(1, 5);
    watched.push_back(hooks.cancelKeyWatched);
    EXPECT_THAT(watched, ElementsAre(false, true, false));
    EXPECT_EQ(pump.pendingCount(), 0u) << "no tick is left behind";
}

}  // namespace
}  // namespace tapmill::journal
