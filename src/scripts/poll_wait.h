#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "common/window_follow_rules.h"
#include "platform/pump.h"

namespace tapmill::scripts {

using WaitOutcome = tapmill::WaitOutcome;

// The loop of the lines that wait for something on the desktop: waitUntilFound with the limit in
// seconds (none: no limit). running and runpause are the main window's flags, which Stop and Pause
// change while it waits.
WaitOutcome pollUntil(platform::MessagePump& pump, const bool& running, const bool& runpause,
                      std::optional<int32_t> limitSeconds, const std::function<bool()>& found);

}  // namespace tapmill::scripts
