#pragma once
#include <cstdint>
#include <functional>

#include "plain/window_note.h"
#include "platform/input.h"
#include "platform/pump.h"
#include "platform/top_windows.h"

namespace tapmill {

// Puts the frames of a recording with window notes where their window is now. At a frame with
// input and a note the window is looked up (waiting for it a while: programs start slowly) and the
// pointer goes to the noted place in its client area, scaled by the ratio of the window's DPI now
// to the recorded one. The frames placed after it keep that offset and scale from their recorded
// positions, so drags and paths move with the window. Unanchored, frames play where they were.
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
    // Anchors to the note's window for the frame recorded at `recorded`, if it is there now.
    bool anchorTo(const WindowNote& note, platform::Point recorded);
    // From now on frames play where they were recorded, until the next anchor.
    void release() { anchored_ = false; }
    // Where a frame recorded at this position plays now.
    platform::Point place(platform::Point recorded) const;
    // Gives the window of the last note the input, as the recorded input did: for a button, where
    // another window has the input or covers the place `where` it goes; for a key, where another
    // has the keyboard (the shared rule, raiseForInput: a click into an open drop-down list or menu
    // raises nothing, since that closes it).
    void bringToFront(platform::Point where);

private:
    platform::TopWindows& windows_;
    platform::MessagePump& pump_;
    bool anchored_ = false;
    uintptr_t window_ = 0;
    bool keyboard_ = false;  // the note is of the window that had the keyboard
    platform::Point recordedAt_{}, placedAt_{};
    double scale_ = 1.0;
};

}  // namespace tapmill
