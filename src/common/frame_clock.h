#pragma once
#include <cstdint>
#include <limits>

#include "platform/pump.h"

namespace tapmill {

// An absolute schedule for a loop that steps at set times: the recorder's and the player's frames,
// a script's delays. Step k is due at the sum of the intervals before it from the start, not one
// interval after the previous step's work was done, so the time spent on the work does not add up:
// a recording holds one frame per period of wall time, and a player that waits one period per frame
// replays it in the time it took.
//
// Steps that fell behind (the thread was busy elsewhere) follow at once until the schedule is caught
// up, as long as the lag stays within the catch-up allowance. A step later than that is a stall: the
// schedule starts afresh from the late step, so the steps after it keep their spacing instead of
// following all at once. A pause restarts the schedule as well.
class FrameClock {
public:
    // Catches up any lag: the recorder keeps one frame per period of wall time whatever happened.
    static constexpr int32_t kCatchUpAll = std::numeric_limits<int32_t>::max();

    // The first step is due one period from now. A period of zero or below makes every step due at
    // once, which still lets the pending messages through.
    FrameClock(platform::MessagePump& pump, int32_t periodMs, int32_t catchUpMs = kCatchUpAll);

    // Waits in Delay until the current step is due. A step already due still gets the pending
    // messages dispatched, so Stop, pause and the hook messages reach every step.
    void waitForFrame();
    // The same for a loop that can be stopped: the wait ends as soon as `going` turns false.
    void waitForFrame(const bool& going);
    // The current step is due now; the next one a period later.
    void restart();
    // Moves on to the next step's due time, one period on.
    void nextFrame() { due_ += period_; }
    // Moves on to a step due the given time after the current one (steps of varying length).
    void nextFrameAfter(int32_t ms) { due_ += static_cast<uint32_t>(ms > 0 ? ms : 0); }

private:
    platform::MessagePump& pump_;
    const uint32_t period_;
    const int32_t catchUpMs_;
    uint32_t due_;
};

}  // namespace tapmill
