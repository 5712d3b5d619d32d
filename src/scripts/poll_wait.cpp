#include "scripts/poll_wait.h"

namespace tapmill::scripts {

WaitOutcome pollUntil(platform::MessagePump& pump, const bool& running, const bool& runpause,
                      std::optional<int32_t> limitSeconds, const std::function<bool()>& found) {
    std::optional<int32_t> limitMs;
    // Limits beyond what milliseconds hold are no limit a run reaches.
    if (limitSeconds) limitMs = *limitSeconds >= INT32_MAX / 1000 ? INT32_MAX : *limitSeconds * 1000;
    return waitUntilFound(
        pump, [&running] { return !running; }, [&runpause] { return runpause; }, limitMs, found);
}

}  // namespace tapmill::scripts
