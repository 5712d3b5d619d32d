// Which hook records: the system's journal record hook where it is granted and really delivers,
// the low-level hooks where it is refused or stays silent.
#include "journal/record_hook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "journal/input_messages.h"
#include "platform/fake/fake_journal_hooks.h"
#include "platform/fake/fake_pump.h"

namespace tapmill::journal {
namespace {

using fake::FakeJournalHooks;
using HookType = FakeJournalHooks::HookType;
using ::testing::ElementsAre;

JournalEvent move(int x) { return JournalEvent{kWmMouseMove, x, 0, 0, 0}; }
JournalEvent click(int x) { return JournalEvent{kWmLButtonDown, x, 0, 0, 0}; }
JournalEvent keyDown(uint8_t vk) { return JournalEvent{kWmKeyDown, vk, 1, 0, 0}; }

// What the recorder would receive: each event's message and paramL, and how long it was held.
class Sink : public platform::JournalProcedure {
public:
    explicit Sink(fake::FakePump& pump) : pump_(pump) {}
    intptr_t call(int code, uintptr_t, JournalEvent* event) override {
        if (code == platform::kHcAction && event) received.push_back(std::to_string(event->message) + ":" +
                                                                   std::to_string(event->paramL));
        while (holdUntil > pump_.now()) {
            pump_.waitForMessages(static_cast<uint32_t>(holdUntil - pump_.now()));
            pump_.processPendingMessages();
        }
        return 0;
    }
    std::vector<std::string> received;
    uint64_t holdUntil = 0;

private:
    fake::FakePump& pump_;
};

std::string seen(const JournalEvent& e) { return std::to_string(e.message) + ":" + std::to_string(e.paramL); }

class RecordHookTest : public ::testing::Test {
protected:
    fake::FakePump pump;
    FakeJournalHooks hooks{pump};
    RecordHook hook{hooks, pump};
    Sink sink{pump};
};

TEST_F(RecordHookTest, WhereTheSystemRefusesItsHookTheLowLevelHooksDeliver) {
    hooks.refuseSystemRecord = true;
    ASSERT_TRUE(hook.install(sink));
    EXPECT_TRUE(hooks.installed(HookType::LowLevelRecorder));
    hooks.lowLevel(click(1));
    hooks.lowLevel(move(2));
    EXPECT_THAT(sink.received, ElementsAre(seen(click(1)), seen(move(2))));
    // Later installs of the run do not ask the system again.
    hook.remove();
    hooks.refuseSystemRecord = false;
    ASSERT_TRUE(hook.install(sink));
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
}

TEST_F(RecordHookTest, NoHookAtAllIsAFailedInstall) {
    hooks.refuseSystemRecord = hooks.refuseLowLevel = true;
    EXPECT_FALSE(hook.install(sink));
    EXPECT_FALSE(hook.installed());
}

TEST_F(RecordHookTest, ASystemHookThatDeliversTheDesktopsInputKeepsRecording) {
    ASSERT_TRUE(hook.install(sink));
    // The two sides report in either order, and the system merges moves.
    for (int i = 0; i < 20; ++i) {
        pump.advance(100);
        hooks.lowLevel(move(i));
        hooks.lowLevel(move(i + 1000));
        hooks.systemRecord(move(i + 1000));
        if (i % 2) {
            hooks.lowLevel(click(i));
            hooks.systemRecord(click(i));
        } else {
            hooks.systemRecord(keyDown('A'));
            hooks.lowLevel(keyDown('A'));
        }
    }
    EXPECT_TRUE(hooks.installed(HookType::SystemRecord));
    EXPECT_EQ(sink.received.size(), 40u);  // what the system delivered, once
}

TEST_F(RecordHookTest, ASystemHookThatStaysSilentGivesWayToTheLowLevelHooksWithNothingLost) {
    ASSERT_TRUE(hook.install(sink));
    hooks.systemRecord(keyDown('B'));  // its own program's keys are all such a system delivers
    hooks.lowLevel(keyDown('B'));
    hooks.lowLevel(keyDown('A'));
    pump.advance(120);
    hooks.lowLevel(move(1));
    pump.advance(79);
    hooks.lowLevel(click(2));
    EXPECT_TRUE(hooks.installed(HookType::SystemRecord));
    pump.advance(1);
    hooks.lowLevel(move(3));  // the key A went undelivered for 200 ms
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
    EXPECT_THAT(sink.received,
                ElementsAre(seen(keyDown('B')), seen(keyDown('A')), seen(move(1)), seen(click(2)), seen(move(3))));

    // The next recording of the run goes to the low-level hooks at once.
    hook.remove();
    const int installs = hooks.installs;
    ASSERT_TRUE(hook.install(sink));
    EXPECT_EQ(hooks.installs, installs + 1);
    EXPECT_FALSE(hooks.installed(HookType::SystemRecord));
}

TEST_F(RecordHookTest, TheProgramsOwnHotKeysAndMovesProveNothing) {
    ASSERT_TRUE(hook.install(sink));
    hooks.lowLevel(keyDown(kVkF10));  // the system keeps hot keys from its journal hook
    hooks.lowLevel(move(1));
    pump.advance(500);
    hooks.lowLevel(move(2));
    EXPECT_TRUE(hooks.installed(HookType::SystemRecord));
}

TEST_F(RecordHookTest, WhileAPausedCallHoldsTheSystemHookItsSilenceProvesNothing) {
    ASSERT_TRUE(hook.install(sink));
    sink.holdUntil = pump.now() + 1000;
    pump.after(100, [&] { hooks.lowLevel(click(2)); });
    pump.after(300, [&] { hooks.lowLevel(move(3)); });
    hooks.lowLevel(click(1));
    hooks.systemRecord(click(1));  // held for a second
    EXPECT_TRUE(hooks.installed(HookType::SystemRecord));
    pump.advance(50);
    hooks.lowLevel(move(4));
    hooks.systemRecord(click(2));  // the system catches up
    pump.advance(500);
    hooks.lowLevel(move(5));
    EXPECT_TRUE(hooks.installed(HookType::SystemRecord));
    EXPECT_THAT(sink.received, ElementsAre(seen(click(1)), seen(click(2))));
}

TEST_F(RecordHookTest, LowLevelEventsReachAHeldProcedureInOrder) {
    hooks.refuseSystemRecord = true;
    ASSERT_TRUE(hook.install(sink));
    sink.holdUntil = pump.now() + 100;
    pump.after(10, [&] { hooks.lowLevel(move(2)); });
    pump.after(20, [&] { hooks.lowLevel(move(3)); });
    hooks.lowLevel(move(1));
    EXPECT_THAT(sink.received, ElementsAre(seen(move(1)), seen(move(2)), seen(move(3))));
}

}  // namespace
}  // namespace tapmill::journal
