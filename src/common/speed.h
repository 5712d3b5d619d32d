#pragma once
#include <cstdint>

namespace tapmill {

// A playback speed comes from a track bar (0 to 10) or from a hand-edited plan.ini, so any 32-bit
// value can arrive. Above the track bar's range a speed only shortens the waits until none is
// left. Below it a speed lengthens them without end, so any speed below kSlowestSpeed plays as
// kSlowestSpeed: a plain frame then waits about a minute, which is slow enough to read as a
// stand-still and short enough that the playback still ends.
constexpr int32_t kSlowestSpeed = -20000;

// The plain player's wait per frame, 35 − 3 × speed milliseconds: 35 at speed 0, 5 at speed 10,
// 2 at speed 11 and none from speed 12 on.
int32_t plainFrameWaitMs(int32_t speed);

// The journal player's factor on the recorded gaps, in sixteenths: 31 − 3 × speed, so 31 at speed
// 0, 16 at speed 5, 1 at speed 10 and none (no wait) from speed 11 on.
int32_t journalGapSixteenths(int32_t speed);

}  // namespace tapmill
