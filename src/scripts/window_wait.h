#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "scripts/script_flow_line.h"

namespace tapmill::scripts {

// The window a window line means among the visible ones (front to back): the frontmost whose title
// holds the text, Latin letters compared without regard to case.
std::optional<platform::TopWindow> chooseWindow(const std::vector<platform::TopWindow>& windows,
                                                const std::string& titlePart);

// The wait of "等待窗口：" and "激活窗口：". Like every loop of the program it waits in Delay, so
// the window and the hot keys answer while it waits. It looks for the window a few times a second,
// answers Stop within a short slice, and holds while the run is paused; paused time does not count
// against the limit.
class WindowWait {
public:
    enum class Outcome { Found, TimedOut, Stopped };

    // running and runpause are the main window's flags, which Stop and Pause change while it waits.
    WindowWait(platform::Platform& platform, const bool& running, const bool& runpause)
        : platform_(platform), running_(running), runpause_(runpause) {}

    // Waits until the window is there (and, to activate it, in front), the limit has passed, or
    // the run is stopped.
    Outcome wait(const WindowLine& line, bool activate);
    // Waits until found() says yes, the limit (none: no end) has passed, or the run is stopped.
    Outcome waitUntil(std::optional<int32_t> limitSeconds, const std::function<bool()>& found);

private:
    bool found(const std::string& title, bool activate);

    platform::Platform& platform_;
    const bool& running_;
    const bool& runpause_;
};

}  // namespace tapmill::scripts
