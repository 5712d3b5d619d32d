#pragma once
#include <cstdint>
#include <functional>

#include "plain/window_note.h"
#include "platform/input.h"
#include "platform/pump.h"
#include "platform/top_windows.h"

namespace tapmill {

// Puts the frames of a recording with window notes where their window is now. At a frame with a
// note the window is looked up (waiting for it a while: programs start slowly) and the pointer
// goes to the noted place in its client area, scaled by the ratio of the window's DPI now to the
// recorded one. The frames after it keep that offset and scale from their recorded positions, so
// drags and paths move with the window. Frames before the first note play where they were.
class WindowAnchor {
public:
    static constexpr int kWaitMs = 3000;

    WindowAnchor(platform::TopWindows& windows, platform::MessagePump& pump) : windows_(windows), pump_(pump) {}

    // Finds the window of the note for the frame recorded at `recorded`, waiting up to kWaitMs
    // (not counting a pause) with the pump running (waitUntilFound: a stop ends the wait at once,
    // and nothing found while paused counts before the pause ends). False when it did not come, or
    // `stopped` said so meanwhile.
    bool follow(const WindowNote& note, platform::Point recorded, const std::function<bool()>& stopped,
                const std::function<bool()>& paused);
    // Where a frame recorded at this position plays now.
    platform::Point place(platform::Point recorded) const;
    // Gives the window of the last note the input, as the recorded click did, where another has it
    // or covers the place `where` the frame's input goes.
    void bringToFront(platform::Point where);

private:
    bool anchorTo(const WindowNote& note, platform::Point recorded);

    platform::TopWindows& windows_;
    platform::MessagePump& pump_;
    bool anchored_ = false;
    uintptr_t window_ = 0;
    platform::Point recordedAt_{}, placedAt_{};
    double scale_ = 1.0;
};

}  // namespace tapmill
