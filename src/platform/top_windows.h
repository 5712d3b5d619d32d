#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tapmill::platform {

// A top-level window on the desktop, as the window search sees it.
struct TopWindow {
    uintptr_t handle = 0;
    std::string title;  // UTF-8
};

// The visible top-level windows of every program, and bringing one of them to the front.
class TopWindows {
public:
    virtual ~TopWindows() = default;
    // Every visible top-level window with a title, front to back.
    virtual std::vector<TopWindow> visibleWindows() = 0;
    // Restores the window if it is minimised, brings it to the front and gives it the input.
    // False when it is gone or the system kept another window in front.
    virtual bool bringToFront(uintptr_t handle) = 0;
};

}  // namespace tapmill::platform
