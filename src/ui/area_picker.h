#pragma once
#include <optional>

#include "platform/input.h"
#include "platform/screen.h"

namespace tapmill::ui {

// A drag with the left button: where it went down and where it came up, in screen pixels.
struct Drag {
    platform::Point from;
    platform::Point to;
};

// A borderless topmost window over every monitor that shows a still picture of the screen, on
// which the user drags a rectangle with the left button; the rectangle shows while it is dragged.
class AreaPicker {
public:
    virtual ~AreaPicker() = default;
    // Shows `picture`, a grab of `screen`, over `screen` and returns when the left button comes up
    // after it went down on the picture: the drag. Nothing when the user cancels with Esc or the
    // right button, or another window takes the screen. Messages of every window are dispatched
    // meanwhile, and the window is gone when it returns.
    virtual std::optional<Drag> pick(const platform::ScreenRect& screen, const platform::PixelBuffer& picture) = 0;
};

}  // namespace tapmill::ui
