#pragma once
#include <windows.h>

#include "platform/journal_hooks.h"
#include "platform/win32/win32_cancel_key_watch.h"
#include "platform/win32/win32_injector.h"
#include "platform/win32/win32_low_level_recorder.h"
#include "platform/win32/win32_playback_clock.h"

namespace tapmill::win32 {

// The system's journal hooks (one of each kind at a time, as the journal recorder and player
// use them), the low-level recorder, and for an emulated playback SendInput, its clock and the
// Ctrl+Esc that ends it.
class Win32JournalHooks : public platform::JournalHooks {
public:
    Win32JournalHooks() = default;
    ~Win32JournalHooks() override;

    uintptr_t installSystemHook(platform::JournalHookKind kind, platform::JournalProcedure& procedure) override;
    uintptr_t installLowLevelRecorder(platform::JournalProcedure& procedure) override;
    void removeHook(uintptr_t handle) override;
    intptr_t callNextHook(uintptr_t handle, int code, uintptr_t wParam, JournalEvent* event) override;
    platform::InputRefusal sendEvent(const JournalEvent& event) override;
    void tickAfter(uint32_t ms, platform::PlaybackTicks& ticks) override { clock_.tickAfter(ms, ticks); }
    void cancelTick() override { clock_.cancel(); }
    void watchCancelKey(bool on) override { on ? cancelKey_.start() : cancelKey_.stop(); }

private:
    uintptr_t lowLevelHandle() const { return reinterpret_cast<uintptr_t>(&lowLevel_); }

    HHOOK recordHook_ = nullptr;
    HHOOK playbackHook_ = nullptr;
    Win32LowLevelRecorder lowLevel_;
    Win32PlaybackClock clock_;
    Win32CancelKeyWatch cancelKey_;
    Win32Injector injector_;
};

}  // namespace tapmill::win32
