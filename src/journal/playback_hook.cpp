#include "journal/playback_hook.h"

namespace tapmill::journal {

PlaybackHook::PlaybackHook(platform::JournalHooks& hooks, platform::MessagePump& pump)
    : hooks_(hooks), emulated_(*this, hooks, pump) {}

PlaybackHook::~PlaybackHook() {
    remove();
    emulated_.end();
}

intptr_t PlaybackHook::SystemSide::call(int code, uintptr_t wParam, JournalEvent* event) {
    owner_.verdict_ = Verdict::SystemPlays;
    // A call the system had under way when the hook went is not the player's any more.
    if (owner_.mode_ != Mode::System) return 0;
    return owner_.procedure_->call(code, wParam, event);
}

void PlaybackHook::install(platform::JournalProcedure& procedure) {
    dropSystemHook();
    procedure_ = &procedure;
    ++installCount_;
    if (verdict_ != Verdict::SystemDoesNotPlay) {
        systemHandle_ = hooks_.installSystemHook(platform::JournalHookKind::Playback, systemSide_);
        if (systemHandle_) {
            mode_ = Mode::System;
            if (verdict_ == Verdict::Unknown) {
                hooks_.tickAfter(kFirstCallMs, *this);
                // Until the system shows that it plays, it may be one that also ignores Ctrl+Esc.
                hooks_.watchCancelKey(true);
            }
            return;
        }
        verdict_ = Verdict::SystemDoesNotPlay;
    }
    mode_ = Mode::Emulated;
    emulated_.begin();
}

void PlaybackHook::remove() {
    if (mode_ == Mode::System && verdict_ == Verdict::Unknown) hooks_.cancelTick();
    if (mode_ == Mode::System) hooks_.watchCancelKey(false);
    dropSystemHook();
    mode_ = Mode::None;
    // A pass that ends within the driver's tick begins again before the tick is over, or the
    // tick ends the driver.
    if (!emulated_.ticking()) emulated_.end();
}

void PlaybackHook::dropSystemHook() {
    if (systemHandle_) hooks_.removeHook(systemHandle_);
    systemHandle_ = 0;
}

intptr_t PlaybackHook::callNext(int code, uintptr_t wParam, JournalEvent* event) {
    return systemHandle_ ? hooks_.callNextHook(systemHandle_, code, wParam, event) : 0;
}

void PlaybackHook::onTick() {
    if (mode_ != Mode::System || verdict_ != Verdict::Unknown) return;
    dropSystemHook();
    verdict_ = Verdict::SystemDoesNotPlay;
    mode_ = Mode::Emulated;
    emulated_.begin();
}

}  // namespace tapmill::journal
