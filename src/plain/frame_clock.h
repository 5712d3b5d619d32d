#pragma once
#include <cstdint>

#include "platform/pump.h"

namespace tapmill {

// The recorder's frame cadence. Frame k is due one period after frame k - 1 was due, not one
// period after its work was done, so the time spent writing a frame does not add up: a recording
// holds one frame per period of wall time, and a player that waits one period per frame follows
// it at the recorded pace. A loop that fell a whole period behind (a pause, a nested recording, a
// message box) starts afresh from now instead of catching up with frames written back to back.
class FrameClock {
public:
    FrameClock(platform::MessagePump& pump, int periodMs);

    // Waits in Delay until the current frame is due. A frame already due still gets the pending
    // messages dispatched, so Stop, pause and the hook messages reach every frame.
    void waitForFrame();
    // Moves on to the next frame's due time.
    void nextFrame();

private:
    platform::MessagePump& pump_;
    const uint32_t period_;
    uint32_t due_;
};

}  // namespace tapmill
