#pragma once
#include <cstdint>
#include <optional>

#include "plain/window_note.h"
#include "platform/input.h"
#include "platform/top_windows.h"

namespace tapmill {

// Which top-level window the frames of a recording went to. A frame is noted when it carries a
// button or a key, and when the pointer has moved into another window since the last note, so a
// replay can follow the window wherever it is then. The program's own windows (the Stop click
// that ends a recording) are never noted. A frame looks up only the handle of the window under the
// pointer; the window's title and class are read only where that handle changed or the frame
// carries input, which keeps the frames cheap.
class WindowNoting {
public:
    explicit WindowNoting(platform::TopWindows& windows) : windows_(windows) {}
    // A recording starts afresh: its first frame in a window is noted.
    void restart() { lastWindow_ = 0; }
    std::optional<WindowNote> noteFor(platform::Point pointer, bool frameHasInput);

private:
    platform::TopWindows& windows_;
    uintptr_t lastWindow_ = 0;  // the window of the last note
    uintptr_t ownWindow_ = 0;   // the last of the program's own windows the pointer was over
};

}  // namespace tapmill
