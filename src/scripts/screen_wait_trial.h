#pragma once
#include <optional>
#include <string>

#include "platform/screen.h"
#include "platform/top_windows.h"
#include "scripts/script_flow_line.h"

namespace tapmill::scripts {

// The editor's "测试" of a screen wait: one look, now, for what a colour or picture line waits
// for, told to the user: where it is, and how close the screen came to it (or that nothing is
// near), so that a tolerance can be chosen before the script runs. After a window line the colour's
// point is a position in that window, and the picture is looked for in its client area, as the
// run does.
class ScreenWaitTrial {
public:
    ScreenWaitTrial(platform::Screen& screen, platform::TopWindows& windows) : screen_(screen), windows_(windows) {}

    // What the user is told; `anchor` is the window line in force above the line, if any.
    std::string tryColour(const ColourLine& line, const std::optional<AnchorLine>& anchor);
    std::string tryImage(const ImageLine& line, const platform::PixelBuffer& image,
                         const std::optional<AnchorLine>& anchor);

private:
    // Where the anchoring window's client area is now; nothing when it is not on the screen.
    std::optional<platform::WindowPlace> anchorPlace(const std::optional<AnchorLine>& anchor);

    platform::Screen& screen_;
    platform::TopWindows& windows_;
};

}  // namespace tapmill::scripts
