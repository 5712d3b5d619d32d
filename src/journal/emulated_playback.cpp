#include "journal/emulated_playback.h"

#include <algorithm>
#include <utility>

#include "journal/playback_hook.h"

namespace tapmill::journal {

namespace {

// How far behind the time line may fall before it starts again from the present.
constexpr uint64_t kCatchUpMs = 50;
constexpr uint64_t kLongestTickMs = UINT32_MAX;

}  // namespace

EmulatedPlayback::EmulatedPlayback(PlaybackHook& hook, platform::JournalHooks& system, platform::MessagePump& pump)
    : hook_(hook), system_(system), pump_(pump) {}

EmulatedPlayback::~EmulatedPlayback() { end(); }

uint64_t EmulatedPlayback::now() {
    const uint32_t tick = pump_.tickMs();
    wideNow_ += static_cast<uint32_t>(tick - lastTick_);
    lastTick_ = tick;
    return wideNow_;
}

void EmulatedPlayback::begin() {
    if (running_) return;
    running_ = true;
    pump_.beginFineTiming();
    system_.watchCancelKey(true);
    lastTick_ = pump_.tickMs();
    line_ = now();
    waiting_ = false;
    system_.tickAfter(0, *this);
}

void EmulatedPlayback::end() {
    if (!running_) return;
    running_ = false;
    system_.cancelTick();
    system_.watchCancelKey(false);
    pump_.endFineTiming();
}

void EmulatedPlayback::onTick() {
    // A tick that comes while the procedure holds a call (a paused playback) is the held tick's
    // to play on from.
    if (ticking_ || !running_) return;
    ticking_ = true;
    while (hook_.emulating() && step()) {
    }
    ticking_ = false;
    if (!hook_.emulating()) end();
    // Told outside the tick: whoever hears it may stop the playback and wait for the user.
    const platform::InputRefusal refusal = std::exchange(refusal_, platform::InputRefusal::None);
    if (refusal != platform::InputRefusal::None && hook_.onInputRefused) hook_.onInputRefused(refusal);
}

bool EmulatedPlayback::step() {
    if (waiting_) {
        const uint64_t at = now();
        if (at < due_) {
            system_.tickAfter(static_cast<uint32_t>(std::min(due_ - at, kLongestTickMs)), *this);
            return false;
        }
        waiting_ = false;
    }
    const uint64_t install = hook_.installCount();
    JournalEvent event;
    const uint64_t asked = now();
    const auto delay = static_cast<uint32_t>(hook_.callProcedure(platform::kHcGetNext, &event));
    const uint64_t answered = now();
    line_ += answered - asked;
    if (!hook_.emulating()) return false;
    // The pass ended within the call: it handed over nothing to play.
    if (hook_.installCount() != install) return true;

    uint64_t due = line_ + delay;
    if (answered > due + kCatchUpMs) due = answered;
    line_ = due;
    if (delay > 0) {
        // Asked again once it is due, as the system does after a delay.
        waiting_ = true;
        due_ = due;
        return true;
    }
    refusal_ = system_.sendEvent(event);
    // The system took none of it: nothing more is played until whoever hears it has stopped.
    if (refusal_ != platform::InputRefusal::None) return false;
    hook_.callProcedure(platform::kHcSkip, nullptr);
    // The next event at the next tick, after the messages that came meanwhile.
    if (hook_.emulating()) system_.tickAfter(0, *this);
    return false;
}

}  // namespace tapmill::journal
