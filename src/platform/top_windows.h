#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/screen_rect.h"

namespace tapmill::platform {

// A top-level window on the desktop, as the window search sees it.
struct TopWindow {
    uintptr_t handle = 0;
    std::string title;      // UTF-8
    std::string className;  // UTF-8
};

// How a window's program draws for the monitor's DPI: not at all (the system stretches what it draws
// at 96), for the DPI the system had at its start (stretched on other monitors), or for each
// monitor's own.
enum class DpiAwareness { Unaware, System, PerMonitor };

// Where a window's client area lies on the screen, and the DPI its pixels on the screen are at: for a
// window drawn per monitor the DPI it draws for, for one the system stretches its monitor's
// (common/window_match.h drawnDpi). The awareness and the monitor's DPI are what that came from.
struct WindowPlace {
    ScreenRect client;
    int dpi = 96;
    DpiAwareness awareness = DpiAwareness::PerMonitor;
    int monitorDpi = 0;  // 0: not known
};

// The visible top-level windows of every program, and bringing one of them to the front.
class TopWindows {
public:
    virtual ~TopWindows() = default;
    // Every visible top-level window with a title, front to back.
    virtual std::vector<TopWindow> visibleWindows() = 0;
    // The visible top-level windows of one class, with or without a title, front to back. The
    // system filters by class, so this stays quick with many windows open.
    virtual std::vector<TopWindow> windowsOfClass(const std::string& className) = 0;
    // The frontmost visible top-level window of that class whose title is exactly this. The system
    // compares the titles, so this stays quick with many windows of the class open.
    virtual std::optional<TopWindow> frontWindowTitled(const std::string& className, const std::string& title) = 0;
    // The top-level window a click at this screen point reaches, if any.
    virtual std::optional<TopWindow> windowAt(int x, int y) = 0;
    // The handle of that window, 0 where there is none: quicker than windowAt, which also reads
    // the window's title and class.
    virtual uintptr_t windowHandleAt(int x, int y) = 0;
    // The class and title of a top-level window known by its handle; nothing when it is gone.
    virtual std::optional<TopWindow> windowOf(uintptr_t handle) = 0;
    // The window's client area on the screen and its DPI; nothing when it is gone or minimised.
    virtual std::optional<WindowPlace> placeOf(uintptr_t handle) = 0;
    // The window that has the input now; 0 when none has.
    virtual uintptr_t foregroundWindow() = 0;
    // The window a key pressed now goes to: the one with the keyboard focus in the foreground
    // window's program (a child window, or another top-level one of it), else the foreground window;
    // 0 when none.
    virtual uintptr_t focusWindow() = 0;
    // The window's program runs with higher rights than this one (a higher integrity level), so the
    // system drops what is sent to it without a word.
    virtual bool hasHigherRights(uintptr_t handle) = 0;
    // Restores the window if it is minimised, brings it to the front and gives it the input.
    // False when it is gone or the system kept another window in front.
    virtual bool bringToFront(uintptr_t handle) = 0;
    // The window belongs to this program (its main window, a dialog, a message box).
    virtual bool isOwnWindow(uintptr_t handle) = 0;
};

}  // namespace tapmill::platform
