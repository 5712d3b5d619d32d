// The journal recorder and JournalRecordProc, fed by the fake system's record hook or its
// low-level hooks on the fake pump's virtual clock.
#include "journal/journal_recorder.h"

#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "capture/control_hotkeys.h"
#include "common/error.h"
#include "common/profile.h"
#include "journal/input_messages.h"
#include "journal/journal_file.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_journal_hooks.h"
#include "platform/fake/fake_pump.h"

namespace tapmill::journal {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

JournalEvent move(int x, int y) { return JournalEvent{kWmMouseMove, x, y, 0, 0}; }
JournalEvent button(uint32_t message, int x, int y) { return JournalEvent{message, x, y, 0, 0}; }
JournalEvent key(uint32_t message, uint8_t vk) { return JournalEvent{message, vk | 0x1E00, 1, 0, 0}; }
JournalEvent down(uint8_t vk) { return key(kWmKeyDown, vk); }
JournalEvent up(uint8_t vk) { return key(kWmKeyUp, vk); }

// An event as the tests compare them: message and position or key.
std::string describe(const JournalEvent& e) {
    return std::to_string(e.message) + ":" + std::to_string(e.paramL) + "," + std::to_string(e.paramH);
}

class JournalRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_jrec_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        target_ = dir_ + "/stjb.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // The events the journal file holds up to its count, as describe() gives them.
    std::vector<std::string> journal() const {
        std::vector<std::string> out;
        for (const JournalEvent& e : loadJournal(target_).events) out.push_back(describe(e));
        return out;
    }
    static std::vector<std::string> described(std::initializer_list<JournalEvent> events) {
        std::vector<std::string> out;
        for (const JournalEvent& e : events) out.push_back(describe(e));
        return out;
    }

    fake::FakePump pump;
    FakeJournalHooks hooks{pump};
    fake::FakeDialogs dialogs;
    RecordHook hook{hooks, pump};
    JournalRecorder recorder{hook, pump, dialogs};
    // The journal keys of a settings file that names none: F10, Alt+W, Alt+Q and Alt+Z.
    std::vector<KeyChord> journalKeys = ControlKeys().journalChords();
    std::string dir_, target_;
};

TEST_F(JournalRecorderTest, EveryActionEventBecomesTheNextSectionAndTheStopWritesTheCount) {
    ASSERT_TRUE(recorder.start(target_, journalKeys));
    EXPECT_TRUE(recorder.recording);
    hooks.systemRecord(move(5, 6));
    hooks.systemRecord(button(kWmLButtonDown, 5, 6));
    hooks.systemRecord(button(kWmLButtonUp, 5, 6));
    EXPECT_EQ(recorder.eventCount(), 3);
    // Each event is on disk as soon as its call returns; only the count waits for the stop.
    EXPECT_EQ(profile::readInteger(target_, "2", "message", 0), static_cast<int32_t>(kWmLButtonUp));
    EXPECT_FALSE(profile::sectionExists(target_, "end"));

    ASSERT_TRUE(recorder.stop());
    EXPECT_FALSE(recorder.recording);
    EXPECT_EQ(readJournalEventCount(target_), 3);
    EXPECT_EQ(journal(), described({move(5, 6), button(kWmLButtonDown, 5, 6), button(kWmLButtonUp, 5, 6)}));
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
    EXPECT_FALSE(hooks.installed(HookType::LowLevelRecorder));
}

TEST_F(JournalRecorderTest, WhatTheLowLevelHooksSawAndTheSilentSystemHookDidNotIsKeptAtTheStop) {
    recorder.start(target_, journalKeys);
    hooks.lowLevel(move(1, 1));
    hooks.lowLevel(button(kWmLButtonDown, 1, 1));  // not 200 ms yet: no verdict on the system hook
    EXPECT_EQ(recorder.eventCount(), 0);
    recorder.stop();
    EXPECT_EQ(journal(), described({move(1, 1), button(kWmLButtonDown, 1, 1)}));
}

TEST_F(JournalRecorderTest, CodesOtherThanActionRecordNothing) {
    recorder.start(target_, journalKeys);
    hooks.nextHookResult = 77;
    JournalEvent event = move(1, 2);
    EXPECT_EQ(hooks.call(HookType::SystemRecord, -1, &event), 77);
    ASSERT_EQ(hooks.nextCalls.size(), 1u);
    EXPECT_EQ(hooks.nextCalls[0].code, -1);
    EXPECT_EQ(hooks.call(HookType::SystemRecord, platform::kHcSysModalOn, nullptr), 0);
    EXPECT_EQ(hooks.call(HookType::SystemRecord, platform::kHcSysModalOff, nullptr), 0);
    EXPECT_EQ(recorder.eventCount(), 0);
    recorder.stop();
    EXPECT_EQ(readJournalEventCount(target_), 0);
    EXPECT_FALSE(profile::sectionExists(target_, "0"));
}

TEST_F(JournalRecorderTest, APausedRecordingHoldsEachEventUntilItContinuesAndKeepsTheirOrder) {
    for (bool lowLevel : {false, true}) {
        hooks.refuseSystemRecord = lowLevel;
        recorder.start(target_, journalKeys);
        recorder.paused = true;
        const uint64_t start = pump.now();
        auto deliver = [&](const JournalEvent& event) {
            if (lowLevel)
                hooks.lowLevel(event);
            else
                hooks.systemRecord(event);
        };
        // Each arrives while the calls before it wait; the system's calls return innermost first.
        pump.after(30, [&] { deliver(move(2, 2)); });
        pump.after(50, [&] { deliver(move(3, 3)); });
        pump.after(100, [&] { recorder.paused = false; });
        deliver(move(1, 1));
        EXPECT_GE(pump.now(), start + 100);
        deliver(move(4, 4));
        recorder.stop();
        EXPECT_EQ(journal(), described({move(1, 1), move(2, 2), move(3, 3), move(4, 4)})) << lowLevel;
    }
}

TEST_F(JournalRecorderTest, AnEventThatWaitedThroughTheStopIsNotWrittenAfterTheCount) {
    recorder.start(target_, journalKeys);
    recorder.paused = true;
    pump.after(30, [&] { recorder.stop(); });
    pump.after(60, [&] { recorder.paused = false; });
    hooks.systemRecord(move(1, 1));
    EXPECT_EQ(readJournalEventCount(target_), 0);
    EXPECT_FALSE(profile::sectionExists(target_, "0"));
}

TEST_F(JournalRecorderTest, AtTheEventLimitTheHookGoesAndTheStopStillWritesTheCount) {
    JournalRecorder limited{hook, pump, dialogs, 3};
    limited.start(target_, journalKeys);
    for (int i = 0; i < 3; ++i) hooks.systemRecord(move(i, i));
    EXPECT_FALSE(hook.installed());
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
    EXPECT_TRUE(limited.recording);
    EXPECT_TRUE(limited.hookHeld());
    ASSERT_TRUE(limited.stop());
    EXPECT_EQ(readJournalEventCount(target_), 3);
    EXPECT_EQ(hooks.strayRemovals, 0);
}

TEST_F(JournalRecorderTest, ASecondStartStartsOverWithTheHookItHolds) {
    recorder.start(target_, journalKeys);
    const int installs = hooks.installs;
    hooks.systemRecord(move(1, 1));
    recorder.recording = false;  // as a show of the main window leaves it
    ASSERT_TRUE(recorder.start(target_, journalKeys));
    EXPECT_EQ(hooks.installs, installs);
    EXPECT_EQ(hooks.installedCount(HookType::SystemRecord), 1);
    EXPECT_TRUE(recorder.recording);
    EXPECT_EQ(recorder.eventCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(target_));
    hooks.systemRecord(move(2, 2));
    recorder.stop();
    EXPECT_EQ(journal(), described({move(2, 2)}));
}

TEST_F(JournalRecorderTest, AStartNoHookCanServeChangesNothing) {
    hooks.refuseSystemRecord = hooks.refuseLowLevel = true;
    writeJournalEventCount(target_, 7);
    EXPECT_FALSE(recorder.start(target_, journalKeys));
    EXPECT_FALSE(recorder.recording);
    EXPECT_FALSE(recorder.hookHeld());
    EXPECT_EQ(readJournalEventCount(target_), 7);
    EXPECT_FALSE(recorder.stop());
    EXPECT_EQ(readJournalEventCount(target_), 7);
}

TEST_F(JournalRecorderTest, AFailedWriteEndsTheRecordingAndIsReported) {
    const std::string unwritable = dir_ + "/missing/stjb.ini";
    recorder.start(unwritable, journalKeys);
    hooks.systemRecord(move(1, 1));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Unable to write to " + unwritable);
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
    EXPECT_EQ(recorder.eventCount(), 0);
    EXPECT_FALSE(recorder.recording);
    EXPECT_FALSE(recorder.hookHeld());
    // It has ended already: the stop has nothing left to do and reports nothing more.
    EXPECT_FALSE(recorder.stop());
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Where the low-level hooks deliver, they also see the keys of the journal's own hot keys.
class JournalHotKeyTest : public JournalRecorderTest {
protected:
    void SetUp() override {
        JournalRecorderTest::SetUp();
        hooks.refuseSystemRecord = true;
        recorder.start(target_, journalKeys);
    }
    void feed(std::initializer_list<JournalEvent> events) {
        for (const JournalEvent& e : events) hooks.lowLevel(e);
    }
};

TEST_F(JournalHotKeyTest, TheReleasesOfTheKeysThatStartedTheRecordingAreLeftOut) {
    feed({up('W'), key(kWmSysKeyUp, kVkLMenu), down('A'), up('A'), up('B')});
    recorder.stop();
    EXPECT_EQ(journal(), described({down('A'), up('A')}));
}

TEST_F(JournalHotKeyTest, JournalHotKeysAreLeftOutWithTheAltJustBeforeThem) {
    feed({down('A'), up('A'),
          key(kWmSysKeyDown, kVkLMenu), key(kWmSysKeyDown, kVkLMenu), key(kWmSysKeyDown, 'Z'),
          key(kWmSysKeyUp, 'Z'), key(kWmSysKeyUp, kVkLMenu),  // Alt+Z, auto-repeated Alt included
          down(kVkF10), up(kVkF10),                            // F10
          down(kVkControl), down(kVkF10), up(kVkF10), up(kVkControl)});  // Ctrl+F10 is no hot key
    recorder.stop();
    EXPECT_EQ(journal(), described({down('A'), up('A'), down(kVkControl), down(kVkF10), up(kVkF10), up(kVkControl)}));
}

TEST_F(JournalHotKeyTest, TheAltOfTheStoppingAltQDoesNotEndTheJournal) {
    feed({down('A'), up('A'), key(kWmSysKeyDown, kVkLMenu)});
    recorder.stop();  // Alt+Q, whose Q the system kept from the hooks
    EXPECT_EQ(journal(), described({down('A'), up('A')}));
    EXPECT_EQ(readJournalEventCount(target_), 2);
}

TEST_F(JournalHotKeyTest, AnAltHeldAcrossOtherEventsStaysWithItsRelease) {
    feed({key(kWmSysKeyDown, kVkLMenu), button(kWmLButtonDown, 1, 1), button(kWmLButtonUp, 1, 1),
          key(kWmSysKeyDown, kVkLMenu), key(kWmSysKeyDown, 'Q')});
    EXPECT_EQ(recorder.eventCount(), 3);  // the repeated Alt right before Q went
    feed({key(kWmSysKeyUp, kVkLMenu)});
    recorder.stop();
    EXPECT_EQ(journal(), described({key(kWmSysKeyDown, kVkLMenu), button(kWmLButtonDown, 1, 1),
                                    button(kWmLButtonUp, 1, 1), key(kWmSysKeyUp, kVkLMenu)}));
}

// The user moved the journal keys to Ctrl+Shift+R (record), Ctrl+Shift+S (stop) and F6 (pause),
// and took the play key away: those are left out, and Alt+W, Alt+Z and F10 are the user's input.
TEST_F(JournalHotKeyTest, TheKeysTheUserChoseAreLeftOutAndTheDocumentedOnesRecorded) {
    ControlKeys chosen;
    chosen.set(HK_JournalRecord, {platform::kModControl | platform::kModShift, 'R'});
    chosen.set(HK_JournalStop, {platform::kModControl | platform::kModShift, 'S'});
    chosen.set(HK_JournalPause, {0, 0x75 /* F6 */});
    chosen.set(HK_JournalPlay, {});
    recorder.start(target_, chosen.journalChords());
    const JournalEvent altDown = key(kWmSysKeyDown, kVkLMenu), altUp = key(kWmSysKeyUp, kVkLMenu);
    feed({up('R'), up(kVkLShift), up(kVkLControl),  // the end of the Ctrl+Shift+R that started it
          altDown, key(kWmSysKeyDown, 'W'), key(kWmSysKeyUp, 'W'), altUp,
          altDown, key(kWmSysKeyDown, 'Z'), key(kWmSysKeyUp, 'Z'), altUp,
          down(0x75), up(0x75), down(kVkF10), up(kVkF10),
          down(kVkLControl), down(kVkLShift)});  // the Ctrl+Shift+S whose S the system kept
    recorder.stop();
    EXPECT_EQ(journal(), described({altDown, key(kWmSysKeyDown, 'W'), key(kWmSysKeyUp, 'W'), altUp,
                                    altDown, key(kWmSysKeyDown, 'Z'), key(kWmSysKeyUp, 'Z'), altUp,
                                    down(kVkF10), up(kVkF10)}));
}

}  // namespace
}  // namespace tapmill::journal
