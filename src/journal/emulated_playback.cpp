#include "journal/emulated_playback.h"

#include <algorithm>

#include "common/delay.h"

namespace tapmill::journal {

namespace {

// Waits are cut in slices so that a removed hook ends a long wait soon.
constexpr uint64_t kWaitSliceMs = 50;
// How far behind the time line may fall before it starts again from the present.
constexpr uint64_t kCatchUpMs = 50;

// The pump's 32-bit millisecond clock widened, so that waits of up to 2^32 - 1 ms compare.
class WideClock {
public:
    explicit WideClock(platform::MessagePump& pump) : pump_(pump), last_(pump.tickMs()) {}
    uint64_t now() {
        const uint32_t tick = pump_.tickMs();
        wide_ += static_cast<uint32_t>(tick - last_);
        last_ = tick;
        return wide_;
    }

private:
    platform::MessagePump& pump_;
    uint32_t last_;
    uint64_t wide_ = 0;
};

// False when the hook went while waiting.
bool waitUntil(uint64_t due, WideClock& clock, PlaybackHook& hook, platform::MessagePump& pump) {
    for (;;) {
        if (!hook.emulating()) return false;
        const uint64_t now = clock.now();
        if (now >= due) return true;
        Delay(pump, static_cast<int>(std::min(due - now, kWaitSliceMs)));
    }
}

}  // namespace

void runEmulatedPlayback(PlaybackHook& hook, platform::JournalHooks& output, platform::MessagePump& pump) {
    FineTimingScope fineTiming(pump);
    WideClock clock(pump);
    uint64_t line = clock.now();  // when the last event was due
    while (hook.emulating()) {
        const uint64_t install = hook.installCount();
        JournalEvent event;
        const uint64_t asked = clock.now();
        const auto delay = static_cast<uint32_t>(hook.callProcedure(platform::kHcGetNext, &event));
        const uint64_t answered = clock.now();
        line += answered - asked;
        if (!hook.emulating()) break;
        // The pass ended within the call: it handed over nothing to play.
        if (hook.installCount() != install) continue;

        uint64_t due = line + delay;
        if (answered > due + kCatchUpMs) due = answered;
        line = due;
        if (delay > 0) {
            if (!waitUntil(due, clock, hook, pump)) break;
            continue;  // and ask again, as the system does after a delay
        }
        output.sendEvent(event);
        hook.callProcedure(platform::kHcSkip, nullptr);
        // Events without a gap between them must not keep the window's messages waiting.
        pump.processPendingMessages();
    }
}

}  // namespace tapmill::journal
