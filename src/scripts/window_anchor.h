#pragma once
#include <cstdint>
#include <optional>

#include "platform/platform.h"
#include "scripts/script_flow_line.h"
#include "scripts/poll_wait.h"
#include "scripts/run_list.h"
#include "scripts/window_wait.h"

namespace tapmill::scripts {

// The window line in force at the line `index`: the last "窗口：" line above it, unless a
// "屏幕坐标" line follows that one.
std::optional<AnchorLine> anchorInForce(const RunList& lines, int index);

// The window the line names and where its client area is now; a minimised one is restored.
struct AnchorTarget {
    uintptr_t handle = 0;
    platform::WindowPlace place;
};
std::optional<AnchorTarget> findAnchorWindow(platform::TopWindows& windows, const AnchorLine& line);

// The window a script run's "窗口：" line anchors its moves to. From that line on, the point of a
// "鼠标移至" line is a position in the window's client area: it lands where that position is now,
// wherever the window has moved and scaled by its DPI against the line's, until "屏幕坐标" or the
// next window line. The window is searched for at its line; a move asks only where its client
// area is now, and searches again only when the window has gone.
class WindowAnchor {
public:
    // Without "，限时" a window that is not there yet is waited for this long, as programs start slowly.
    static constexpr int32_t kDefaultLimitSeconds = 5;

    // running and runpause are the main window's flags, which Stop and Pause change while it waits.
    WindowAnchor(platform::Platform& platform, const bool& running, const bool& runpause)
        : platform_(platform), running_(running), runpause_(runpause) {}

    // The window line at lineIndex: waits for its window up to the line's limit. Found anchors the
    // moves after it; otherwise the moves are screen positions again.
    WaitOutcome anchor(const AnchorLine& line, int lineIndex);
    // The moves after this are screen positions again.
    void release() { anchored_.reset(); }

    // Where a move to this point goes: the point itself without a window, else the position in the
    // window's client area as it is now. A window that has gone is waited for again; nothing when
    // the run is stopped meanwhile. Throws WindowTimeout naming the window line when it does not
    // come back.
    std::optional<platform::Point> screenPoint(platform::Point point);
    // Where the screen waits look now: the anchored window's client area, or the whole virtual
    // screen without a window; nothing while the window is gone (no wait: the screen wait's own
    // limit counts).
    std::optional<platform::ScreenRect> searchArea();
    // Where the point of a line after the window line is on the screen now, without waiting;
    // nothing while the window is gone.
    std::optional<platform::Point> pointNow(platform::Point point);
    // Before a button goes down at the pointer (button) or a key: a window that has gone is waited
    // for as for a move, then the window comes to the front where the input would not reach it
    // (raiseForInput), as the user's own click would have brought it. False when the run is stopped
    // meanwhile: the input is not sent. Throws WindowTimeout naming the window line when the window
    // does not come back, or the system keeps it behind or covered.
    bool beforeInput(bool button);

private:
    struct Anchored {
        AnchorLine line;
        int lineIndex = -1;
        uintptr_t handle = 0;
        platform::WindowPlace place;
    };

    // Searches for the line's window and where its client area is; a minimised one is restored.
    bool find(Anchored& anchored);
    // Where the anchored window is now, waiting for it when it has gone; false when stopped meanwhile.
    bool present();
    WaitOutcome waitFor(Anchored& anchored);

    platform::Platform& platform_;
    const bool& running_;
    const bool& runpause_;
    std::optional<Anchored> anchored_;
};

}  // namespace tapmill::scripts
