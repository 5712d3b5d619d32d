#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "scripts/poll_wait.h"
#include "scripts/script_flow_line.h"

namespace tapmill::scripts {

// The window a window line means among the visible ones (front to back): the frontmost whose title
// holds the text, Latin letters compared without regard to case.
std::optional<platform::TopWindow> chooseWindow(const std::vector<platform::TopWindow>& windows,
                                                const std::string& titlePart);

// The wait of "等待窗口：" and "激活窗口：", which looks through the desktop's windows, this
// program's own left out, at each try of pollUntil.
class WindowWait {
public:

    // running and runpause are the main window's flags, which Stop and Pause change while it waits.
    WindowWait(platform::Platform& platform, const bool& running, const bool& runpause)
        : platform_(platform), running_(running), runpause_(runpause) {}

    // Waits until the window is there (and, to activate it, in front), the limit has passed, or
    // the run is stopped.
    WaitOutcome wait(const WindowLine& line, bool activate);

private:
    bool found(const std::string& title, bool activate);

    platform::Platform& platform_;
    const bool& running_;
    const bool& runpause_;
};

}  // namespace tapmill::scripts
