#pragma once
#include <cstdint>

#include "platform/pump.h"

namespace tapmill {

// The recorder's frame cadence. Frame k is due k + 1 periods after the start, not one period after
// the previous frame's work was done, so the time spent writing frames does not add up: a
// recording holds one frame per period of wall time, and a player that waits one period per frame
// replays it in the time it took. Frames that fell behind (the thread was busy elsewhere) follow
// at once until the cadence is caught up. Only a pause, which is left out of the recording, starts
// the cadence afresh.
class FrameClock {
public:
    FrameClock(platform::MessagePump& pump, int periodMs);

    // Waits in Delay until the current frame is due. A frame already due still gets the pending
    // messages dispatched, so Stop, pause and the hook messages reach every frame.
    void waitForFrame();
    // The current frame is due now; the next one a period later.
    void restart();
    // Moves on to the next frame's due time.
    void nextFrame() { due_ += period_; }

private:
    platform::MessagePump& pump_;
    const uint32_t period_;
    uint32_t due_;
};

}  // namespace tapmill
