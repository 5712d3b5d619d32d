#include "scripts/poll_wait.h"

#include <limits>

#include "common/delay.h"

namespace tapmill::scripts {

namespace {

// How often the wait looks, and how soon Stop and Pause are seen.
constexpr int kLookEveryMs = 100;
constexpr int kSliceMs = 20;

}  // namespace

WaitOutcome pollUntil(platform::MessagePump& pump, const bool& running, const bool& runpause,
                      std::optional<int32_t> limitSeconds, const std::function<bool()>& found) {
    const uint64_t limitMs = limitSeconds ? static_cast<uint64_t>(*limitSeconds) * 1000u
                                          : std::numeric_limits<uint64_t>::max();
    uint64_t waitedMs = 0;
    uint32_t last = pump.tickMs();
    for (;;) {
        if (!running) return WaitOutcome::Stopped;
        if (!runpause) {
            if (found()) return WaitOutcome::Found;
            if (waitedMs >= limitMs) return WaitOutcome::TimedOut;
        }
        for (int slice = 0; slice < kLookEveryMs / kSliceMs && running; ++slice) {
            Delay(pump, kSliceMs, running);
            const uint32_t now = pump.tickMs();
            if (!runpause) waitedMs += now - last;
            last = now;
        }
    }
}

}  // namespace tapmill::scripts
