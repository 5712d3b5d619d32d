#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/fake/fake_input.h"
#include "platform/fake/fake_pump.h"
#include "platform/journal_hooks.h"

namespace tapmill::fake {

// Journal hooks as the system would keep them, with the system's side as calls a test makes:
// each installed hook's procedure is reached only while that hook is installed, as it would be.
class FakeJournalHooks : public platform::JournalHooks {
public:
    enum class HookType { SystemRecord, SystemPlayback, LowLevelRecorder };

    explicit FakeJournalHooks(FakePump& clock) : clock_(clock) {}

    uintptr_t installSystemHook(platform::JournalHookKind kind, platform::JournalProcedure& procedure) override;
    uintptr_t installLowLevelRecorder(platform::JournalProcedure& procedure) override;
    void removeHook(uintptr_t handle) override;
    intptr_t callNextHook(uintptr_t handle, int code, uintptr_t wParam, JournalEvent* event) override;
    platform::InputRefusal sendEvent(const JournalEvent& event) override;
    // Ticks fall due on the pump's virtual clock.
    void tickAfter(uint32_t ms, platform::PlaybackTicks& ticks) override;
    void cancelTick() override;
    void watchCancelKey(bool on) override { cancelKeyWatched = on; }

    // The user presses Ctrl+Esc: the system takes its own playback hook away if one is installed,
    // and that or a watch posts WM_CANCELJOURNAL, which `cancelJournal` receives.
    void userPressesCtrlEsc();
    bool cancelKeyWatched = false;
    std::function<void()> cancelJournal;

    // What the system refuses.
    bool refuseSystemRecord = false;
    bool refuseSystemPlayback = false;
    bool refuseLowLevel = false;
    // A system that grants the playback hook but never drives it (Wine): Ctrl+Esc leaves it be.
    bool playbackHookInert = false;

    // The system at work: calls the procedure of the installed hook of that type; throws
    // std::logic_error when none is installed, since the system would not call it then.
    intptr_t call(HookType type, int code, JournalEvent* event, uintptr_t wParam = 0);
    intptr_t systemRecord(JournalEvent event, int code = platform::kHcAction) {
        return call(HookType::SystemRecord, code, &event);
    }
    intptr_t lowLevel(JournalEvent event) { return call(HookType::LowLevelRecorder, platform::kHcAction, &event); }
    intptr_t playback(int code, JournalEvent* event = nullptr) { return call(HookType::SystemPlayback, code, event); }

    int installedCount(HookType type) const;
    bool installed(HookType type) const { return installedCount(type) > 0; }

    struct Sent {
        JournalEvent event;
        uint64_t time;
    };
    std::vector<Sent> sent;
    // Every event asked for is in `sent`, taken or not.
    RefusingSystem system;
    // Virtual milliseconds each injection takes.
    uint32_t sendCostMs = 0;
    struct NextCall {
        uintptr_t handle;
        int code;
    };
    std::vector<NextCall> nextCalls;
    intptr_t nextHookResult = 0;
    int installs = 0;
    // Removals of a handle that was not installed: the program lost track of its hook.
    int strayRemovals = 0;

private:
    struct Hook {
        HookType type;
        platform::JournalProcedure* procedure;
    };
    uintptr_t add(HookType type, platform::JournalProcedure& procedure);

    FakePump& clock_;
    std::map<uintptr_t, Hook> hooks_;
    uintptr_t nextHandle_ = 0x1000;
    // The pump's number of the tick pending, if any.
    bool tickPending_ = false;
    uint64_t tick_ = 0;
};

}  // namespace tapmill::fake
