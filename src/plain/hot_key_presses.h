#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "plain/frame_event.h"

namespace tapmill {

// The events of one frame of the recording being written, in the order they came.
struct RecordedFrameEvents {
    int32_t frame;
    std::vector<FrameEvent> events;
    bool positionWritten = false;  // the frame's position is written, and with it "ev2"
};

// A hot key's modifiers go down before its key and are recorded like any other key: only the
// press of its key tells that they were the hot key's. Those presses are the last press of each
// of its modifiers that is still held; whatever was recorded after them (a key let go, a button
// released) is the user's and stays. A button released after such a press carries its modifier
// only because the hand was on its way to the hot key, so the release loses it too.
//
// Takes them out of `frames`, and their keys out of `heldKeys`, and gives the indexes of the
// frames that changed.
std::vector<size_t> takeBackHotKeyPresses(std::vector<RecordedFrameEvents>& frames, uint32_t modifiers,
                                          std::set<int32_t>& heldKeys);

// How many of the first frames can hold no press a hot key could still take back: those before
// the press of every modifier held now. The last frame is always kept, as the one being written.
size_t framesPastTakingBack(const std::vector<RecordedFrameEvents>& frames, const std::set<int32_t>& heldKeys);

}  // namespace tapmill
