#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/pump.h"

namespace tapmill::scripts {

enum class WaitOutcome { Found, TimedOut, Stopped };

// The loop of the lines that wait for something on the desktop. Like every loop of the program it
// waits in Delay, so the window and the hot keys answer while it waits. It looks a few times a
// second, answers Stop within a short slice, and holds while the run is paused; paused time does
// not count against the limit (none: no limit). running and runpause are the main window's flags,
// which Stop and Pause change while it waits.
WaitOutcome pollUntil(platform::MessagePump& pump, const bool& running, const bool& runpause,
                      std::optional<int32_t> limitSeconds, const std::function<bool()>& found);

}  // namespace tapmill::scripts
