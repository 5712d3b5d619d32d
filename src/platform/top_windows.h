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

// Where a window's client area lies on the screen, and the DPI the window is drawn for.
struct WindowPlace {
    ScreenRect client;
    int dpi = 96;
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
    // Restores the window if it is minimised, brings it to the front and gives it the input.
    // False when it is gone or the system kept another window in front.
    virtual bool bringToFront(uintptr_t handle) = 0;
    // The window belongs to this program (its main window, a dialog, a message box).
    virtual bool isOwnWindow(uintptr_t handle) = 0;
};

}  // namespace tapmill::platform
