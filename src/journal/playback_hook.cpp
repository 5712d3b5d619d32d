#include "journal/playback_hook.h"

#include "common/delay.h"
#include "journal/emulated_playback.h"

namespace tapmill::journal {

namespace {

constexpr int kFirstCallCheckMs = 10;

}  // namespace

PlaybackHook::PlaybackHook(platform::JournalHooks& hooks, platform::MessagePump& pump) : hooks_(hooks), pump_(pump) {}

PlaybackHook::~PlaybackHook() { remove(); }

intptr_t PlaybackHook::SystemSide::call(int code, uintptr_t wParam, JournalEvent* event) {
    owner_.verdict_ = Verdict::SystemPlays;
    // A call the system had under way when the hook went is not the player's any more.
    if (owner_.mode_ != Mode::System) return 0;
    return owner_.procedure_->call(code, wParam, event);
}

void PlaybackHook::install(platform::JournalProcedure& procedure) {
    remove();
    procedure_ = &procedure;
    ++installCount_;
    if (verdict_ != Verdict::SystemDoesNotPlay) {
        systemHandle_ = hooks_.installSystemHook(platform::JournalHookKind::Playback, systemSide_);
        if (systemHandle_) {
            mode_ = Mode::System;
            return;
        }
        verdict_ = Verdict::SystemDoesNotPlay;
    }
    mode_ = Mode::Emulated;
}

void PlaybackHook::remove() {
    if (systemHandle_) hooks_.removeHook(systemHandle_);
    systemHandle_ = 0;
    mode_ = Mode::None;
}

intptr_t PlaybackHook::callNext(int code, uintptr_t wParam, JournalEvent* event) {
    return systemHandle_ ? hooks_.callNextHook(systemHandle_, code, wParam, event) : 0;
}

void PlaybackHook::drive() {
    if (mode_ == Mode::System && verdict_ == Verdict::Unknown) waitForTheSystemsFirstCall();
    if (mode_ != Mode::Emulated) return;
    driving_ = true;
    runEmulatedPlayback(*this, hooks_, pump_);
    driving_ = false;
}

void PlaybackHook::waitForTheSystemsFirstCall() {
    const uint32_t start = pump_.tickMs();
    while (mode_ == Mode::System && verdict_ == Verdict::Unknown && pump_.tickMs() - start < kFirstCallMs)
        Delay(pump_, kFirstCallCheckMs);
    if (mode_ != Mode::System || verdict_ != Verdict::Unknown) return;
    hooks_.removeHook(systemHandle_);
    systemHandle_ = 0;
    verdict_ = Verdict::SystemDoesNotPlay;
    mode_ = Mode::Emulated;
}

}  // namespace tapmill::journal
