// JournalPlaybackProc as a state machine, driven by the test in the system's place through a
// playback hook the fake system grants.
#include "journal/journal_player.h"

#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "journal/input_messages.h"
#include "platform/fake/fake_journal_hooks.h"
#include "platform/fake/fake_pump.h"

namespace tapmill::journal {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using platform::kHcGetNext;
using platform::kHcSkip;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// An event handed over: its paramL, and the delay its first HC_GETNEXT gave.
struct Handed {
    int32_t event;
    uint32_t delay;
    bool operator==(const Handed& o) const { return event == o.event && delay == o.delay; }
};

void PrintTo(const Handed& h, std::ostream* os) { *os << "{" << h.event << ", " << h.delay << "}"; }

class JournalPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_jplay_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        journal.file = dir_ + "/stjb.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // A journal of events at these tick counts (event i has paramL = i), loaded as the start
    // loads it.
    void useJournal(const std::vector<uint32_t>& times) {
        std::filesystem::remove(journal.file);
        for (size_t i = 0; i < times.size(); ++i)
            writeJournalEvent(journal.file, static_cast<int32_t>(i), 0, 0,
                              JournalEvent{kWmMouseMove, static_cast<int32_t>(i), 0, times[i], 0x80000010u});
        writeJournalEventCount(journal.file, static_cast<int32_t>(times.size()));
        journal.table = loadJournal(journal.file).events;
    }

    // A journal of these events, 100 ticks apart, loaded as the start loads it.
    void useEvents(const std::vector<JournalEvent>& events) {
        std::filesystem::remove(journal.file);
        for (size_t i = 0; i < events.size(); ++i) {
            JournalEvent event = events[i];
            event.time = static_cast<uint32_t>(100 * i);
            writeJournalEvent(journal.file, static_cast<int32_t>(i), 0, 0, event);
        }
        writeJournalEventCount(journal.file, static_cast<int32_t>(events.size()));
        journal.table = loadJournal(journal.file).events;
    }

    intptr_t getNext(JournalEvent* event) { return hooks.playback(kHcGetNext, event); }

    // What one call of HC_GETNEXT and HC_SKIP after another hands over while the hook stays in.
    std::vector<Handed> playWhileInstalled(size_t atMost = 1000) {
        std::vector<Handed> out;
        while (hooks.installed(HookType::SystemPlayback) && out.size() < atMost) {
            JournalEvent event{};
            const auto delay = static_cast<uint32_t>(getNext(&event));
            if (!hooks.installed(HookType::SystemPlayback)) break;
            if (delay > 0) {
                EXPECT_EQ(getNext(&event), 0) << "a second HC_GETNEXT for the same event waits no more";
            }
            out.push_back({event.paramL, delay});
            hooks.playback(kHcSkip);
        }
        return out;
    }

    fake::FakePump pump;
    FakeJournalHooks hooks{pump};
    CurrentJournal journal;
    PlaybackHook hook{hooks, pump};
    JournalPlayer player{journal, hook, pump};
    std::string dir_;
};

TEST(JournalDelayTest, EachSpeedScalesTheGapByThirtyOneMinusThreeTimesItOverSixteen) {
    const uint32_t expected[] = {1937, 1750, 1562, 1375, 1187, 1000, 812, 625, 437, 250, 62};
    for (int speed = 0; speed <= 10; ++speed)
        EXPECT_EQ(JournalPlayer::scaledGap(5000, 6000, speed), expected[speed]) << "speed " << speed;
}

TEST(JournalDelayTest, SpeedsBeyondTheTrackBarWaitNothingAboveAndABoundedTimeBelow) {
    for (int speed : {11, 12, 1000000000, INT_MAX})
        EXPECT_EQ(JournalPlayer::scaledGap(5000, 6000, speed), 0u) << "speed " << speed;
    // Every speed below -20000 plays as -20000: the gap times 60031 / 16.
    for (int speed : {-20000, -1000000000, INT_MIN})
        EXPECT_EQ(JournalPlayer::scaledGap(5000, 6000, speed), 3751937u) << "speed " << speed;
}

TEST(JournalDelayTest, TheGapIsAnUnsignedDifferenceScaledIn64Bits) {
    EXPECT_EQ(JournalPlayer::scaledGap(0xFFFFFF00u, 0x00000100u, 5), 0x200u);  // the tick count wrapped
    // (2^32 - 1) * 31 / 16 needs 64 bits; its low 32 bits are the answer.
    EXPECT_EQ(JournalPlayer::scaledGap(0, 0xFFFFFFFFu, 0), 0xEFFFFFFEu);
    EXPECT_EQ(JournalPlayer::scaledGap(100, 115, 10), 0u);  // rounded toward zero
}

TEST_F(JournalPlayerTest, APassHandsOverEveryEventUnchangedAfterTheGapBeforeIt) {
    useJournal({1000, 1100, 1400, 1400, 2400});
    ASSERT_TRUE(player.start(1, 5));
    JournalEvent first{};
    EXPECT_EQ(getNext(&first), 0);
    EXPECT_EQ(first.time, 1000u);
    EXPECT_EQ(first.hwnd, 0x80000010u);  // recorded time and window go as they are
    hooks.playback(kHcSkip);
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{1, 100}, Handed{2, 300}, Handed{3, 0}, Handed{4, 1000}));
    EXPECT_FALSE(player.playing);
    EXPECT_FALSE(hooks.installed(HookType::SystemPlayback));
}

TEST_F(JournalPlayerTest, OnlyTheFirstPlaybackAfterTheProgramStartsBeginsAtOnce) {
    useJournal({0, 40, 100});
    player.start(1, 5);
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{0, 0}, Handed{1, 40}, Handed{2, 60}));
    // The last HC_SKIP left its delay pending: every later playback waits the first gap first.
    player.start(1, 0);
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{0, 77}, Handed{1, 77}, Handed{2, 116}));
}

TEST_F(JournalPlayerTest, APassOverAWrappedTickCounterKeepsItsTrueGaps) {
    useJournal({0xFFFFFFF0u, 0x00000010u, 0x00000110u});
    player.start(1, 5);
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{0, 0}, Handed{1, 32}, Handed{2, 256}));
}

TEST_F(JournalPlayerTest, ACountOf0Or1PlaysOncePassesAndACountOf3ThreeTimes) {
    useJournal({0, 10});
    for (int32_t count : {0, 1, 3, -5}) {
        player.start(count, 10);
        EXPECT_EQ(playWhileInstalled().size(), 2u * (count == 3 ? 3 : 1)) << "count " << count;
        EXPECT_FALSE(player.playing);
    }
}

TEST_F(JournalPlayerTest, EndlessPassesStopAtTheEndOfThePassDuringWhichEndlessModeWasCleared) {
    useJournal({0, 10, 20});
    player.start(1, 5, /*endlessMode=*/true);
    EXPECT_EQ(playWhileInstalled(7).size(), 7u);  // into the third pass
    EXPECT_TRUE(player.playing);
    player.endless = false;
    EXPECT_EQ(playWhileInstalled().size(), 2u);   // the rest of the third pass
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(hooks.strayRemovals, 0);
}

TEST_F(JournalPlayerTest, AStartWhilePlayingTakesTheNewPassesAndSpeedAndInstallsNoSecondHook) {
    useJournal({0, 1000, 2000, 3000});
    player.start(1, 5);
    playWhileInstalled(2);
    const int installs = hooks.installs;
    EXPECT_FALSE(player.start(2, 10));
    EXPECT_EQ(hooks.installs, installs);
    EXPECT_EQ(hooks.installedCount(HookType::SystemPlayback), 1);
    // The pass goes on where it was, at the new speed, and a second pass follows.
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{2, 62}, Handed{3, 62}, Handed{0, 62}, Handed{1, 62},
                                                  Handed{2, 62}, Handed{3, 62}));
}

TEST_F(JournalPlayerTest, ATableReloadedShorterDuringAPassEndsItThere) {
    useJournal({0, 10, 20, 30, 40});
    player.start(1, 5);
    playWhileInstalled(2);
    useJournal({0, 10, 20});  // a second start reloaded a shorter journal
    player.start(1, 5);
    EXPECT_THAT(playWhileInstalled(), ElementsAre(Handed{2, 10}));
    EXPECT_FALSE(player.playing);
}

TEST_F(JournalPlayerTest, AJournalOfNoEventsEndsItsPassAtTheFirstCall) {
    useJournal({});
    player.start(3, 5);
    ASSERT_TRUE(hooks.installed(HookType::SystemPlayback));
    JournalEvent untouched{0x1234, 5, 6, 7, 8};
    EXPECT_EQ(getNext(&untouched), 0);
    EXPECT_EQ(untouched.message, 0x1234u);
    // Passes of nothing would follow one another without end: the playback is over.
    EXPECT_FALSE(hooks.installed(HookType::SystemPlayback));
    EXPECT_FALSE(player.playing);
}

TEST_F(JournalPlayerTest, APausedPlaybackHoldsItsEventUntilItContinues) {
    useJournal({0, 10});
    player.paused = true;
    player.start(1, 5);
    pump.after(500, [&] { player.paused = false; });
    const uint64_t start = pump.now();
    JournalEvent event{};
    getNext(&event);
    // It looks again every 20 ms.
    EXPECT_GE(pump.now(), start + 500);
    EXPECT_LE(pump.now(), start + 520);
    EXPECT_EQ(event.paramL, 0);
}

TEST_F(JournalPlayerTest, BetweenSystemModalOnAndOffNothingMoves) {
    useJournal({0, 10, 20});
    player.start(1, 5);
    hooks.playback(platform::kHcSysModalOn);
    JournalEvent event{};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(getNext(&event), 0);
        hooks.playback(kHcSkip);
    }
    EXPECT_EQ(player.position, 0);
    EXPECT_EQ(event.message, 0u);
    hooks.playback(platform::kHcSysModalOff);
    EXPECT_EQ(playWhileInstalled().size(), 3u);
}

TEST_F(JournalPlayerTest, NegativeCodesGoToTheNextHookAndHookCodesItDoesNotKnowChangeNothing) {
    useJournal({0, 10});
    player.start(1, 5);
    hooks.nextHookResult = 9;
    EXPECT_EQ(hooks.playback(-1), 9);
    EXPECT_EQ(hooks.playback(platform::kHcNoRemove), 0);
    EXPECT_EQ(player.position, 0);
    EXPECT_EQ(playWhileInstalled().size(), 2u);
}

TEST_F(JournalPlayerTest, ACallAfterTheHookWentBelongsToNoPass) {
    useJournal({0, 10});
    player.start(3, 5);
    player.endOnShow();
    EXPECT_FALSE(hooks.installed(HookType::SystemPlayback));
    player.JournalPlaybackProc(kHcSkip, 0, nullptr);
    player.JournalPlaybackProc(kHcSkip, 0, nullptr);
    EXPECT_FALSE(hooks.installed(HookType::SystemPlayback));
    EXPECT_EQ(player.passesLeft, 3);
    EXPECT_FALSE(player.playing);
}

// A press and a drag: key A (scan code 30) goes down, the left button goes down at (100, 200) and
// the pointer drags it to (150, 250); their releases come last.
const std::vector<JournalEvent> kHeldDuringADrag = {
    {kWmKeyDown, 65 | 30 << 8, 1, 0, 0},     {kWmLButtonDown, 100, 200, 0, 0}, {kWmMouseMove, 150, 250, 0, 0},
    {kWmLButtonUp, 150, 250, 0, 0},          {kWmKeyUp, 65 | 30 << 8, 1, 0, 0},
};

TEST_F(JournalPlayerTest, APlaybackEndedBetweenPressesAndTheirReleasesLetsGoOfThemWhereThePointerIs) {
    useEvents(kHeldDuringADrag);
    for (auto end : {&JournalPlayer::endOnShow, &JournalPlayer::stop}) {
        hooks.sent.clear();
        player.start(1, 5);
        playWhileInstalled(3);
        (player.*end)();
        ASSERT_EQ(hooks.sent.size(), 2u);
        EXPECT_EQ(hooks.sent[0].event.message, kWmKeyUp);
        EXPECT_EQ(hooks.sent[0].event.paramL, 65 | 30 << 8);
        EXPECT_EQ(hooks.sent[1].event.message, kWmLButtonUp);
        EXPECT_EQ(hooks.sent[1].event.paramL, 150);
        EXPECT_EQ(hooks.sent[1].event.paramH, 250);
        // Once let go, they stay let go.
        player.stop();
        EXPECT_EQ(hooks.sent.size(), 2u);
    }
}

TEST_F(JournalPlayerTest, APauseLetsGoOfWhatThePlaybackHoldsAndTheResumePressesItAgainWhereItWas) {
    useEvents(kHeldDuringADrag);
    player.start(1, 5);
    playWhileInstalled(3);  // A held, the left button held and dragged to (150, 250)
    const auto sent = [&] {
        std::vector<std::string> out;
        for (const auto& s : hooks.sent)
            out.push_back(std::to_string(s.event.message) + " " + std::to_string(s.event.paramL) + " " +
                          std::to_string(s.event.paramH));
        hooks.sent.clear();
        return out;
    };
    const std::string keyA = std::to_string(65 | 30 << 8);
    player.paused = true;
    player.followPause();
    EXPECT_THAT(sent(), ElementsAre(std::to_string(kWmKeyUp) + " " + keyA + " 1", std::to_string(kWmLButtonUp) + " 150 250"));
    player.paused = false;
    player.followPause();
    EXPECT_THAT(sent(),
                ElementsAre(std::to_string(kWmKeyDown) + " " + keyA + " 1", std::to_string(kWmLButtonDown) + " 150 250"));
    player.stop();
    EXPECT_EQ(sent().size(), 2u);
}

TEST_F(JournalPlayerTest, APlaybackThatRanToItsEndKeepsWhatTheJournalLeftPressed) {
    useEvents({kHeldDuringADrag.begin(), kHeldDuringADrag.begin() + 3});
    player.start(1, 5);
    EXPECT_EQ(playWhileInstalled().size(), 3u);
    player.endOnShow();
    EXPECT_TRUE(hooks.sent.empty());
}

TEST_F(JournalPlayerTest, ACountLargerThanTheTableEndsThePassAtTheTablesEnd) {
    useJournal({0, 10, 20});
    writeJournalEventCount(journal.file, 5);  // the file grew after the table was loaded
    player.start(1, 5);
    EXPECT_EQ(playWhileInstalled().size(), 3u);
    EXPECT_FALSE(player.playing);
}

}  // namespace
}  // namespace tapmill::journal
