#include "platform/fake/fake_journal_hooks.h"

#include <iterator>
#include <stdexcept>

namespace tapmill::fake {

uintptr_t FakeJournalHooks::add(HookType type, platform::JournalProcedure& procedure) {
    ++installs;
    uintptr_t handle = nextHandle_++;
    hooks_[handle] = Hook{type, &procedure};
    return handle;
}

uintptr_t FakeJournalHooks::installSystemHook(platform::JournalHookKind kind, platform::JournalProcedure& procedure) {
    if (kind == platform::JournalHookKind::Record)
        return refuseSystemRecord ? 0 : add(HookType::SystemRecord, procedure);
    return refuseSystemPlayback ? 0 : add(HookType::SystemPlayback, procedure);
}

uintptr_t FakeJournalHooks::installLowLevelRecorder(platform::JournalProcedure& procedure) {
    return refuseLowLevel ? 0 : add(HookType::LowLevelRecorder, procedure);
}

void FakeJournalHooks::removeHook(uintptr_t handle) {
    if (hooks_.erase(handle) == 0) ++strayRemovals;
}

intptr_t FakeJournalHooks::callNextHook(uintptr_t handle, int code, uintptr_t, JournalEvent*) {
    nextCalls.push_back({handle, code});
    return nextHookResult;
}

platform::InputRefusal FakeJournalHooks::sendEvent(const JournalEvent& event) {
    sent.push_back({event, clock_.now()});
    clock_.advance(sendCostMs);
    return system.inject();
}

void FakeJournalHooks::tickAfter(uint32_t ms, platform::PlaybackTicks& ticks) {
    cancelTick();
    tickPending_ = true;
    tick_ = clock_.after(ms, [this, &ticks] {
        tickPending_ = false;
        ticks.onTick();
    });
}

void FakeJournalHooks::cancelTick() {
    if (tickPending_) clock_.cancel(tick_);
    tickPending_ = false;
}

void FakeJournalHooks::userPressesCtrlEsc() {
    bool cancelled = cancelKeyWatched;
    for (auto it = hooks_.begin(); it != hooks_.end();) {
        const bool playback = it->second.type == HookType::SystemPlayback && !playbackHookInert;
        cancelled = cancelled || playback;
        it = playback ? hooks_.erase(it) : std::next(it);
    }
    if (cancelled && cancelJournal) clock_.post(cancelJournal);
}

intptr_t FakeJournalHooks::call(HookType type, int code, JournalEvent* event, uintptr_t wParam) {
    for (auto& [handle, hook] : hooks_)
        if (hook.type == type) return hook.procedure->call(code, wParam, event);
    throw std::logic_error("the system calls no hook of this type: none is installed");
}

int FakeJournalHooks::installedCount(HookType type) const {
    int count = 0;
    for (const auto& [handle, hook] : hooks_) count += hook.type == type;
    return count;
}

}  // namespace tapmill::fake
