#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tapmill::ui {

enum class Event { Click, Change, KeyPress, FocusIn, FocusOut, Select, DoubleClick };

struct EventArgs {
    // KeyPress: the typed character; a handler sets it to 0 to discard it.
    char key = 0;
};

// What a window tells its form. The form's implementation is one short switch that calls the
// named handlers.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void onControlEvent(int controlId, Event event, EventArgs& args) = 0;
    virtual void onTimer(int timerId) {}
    virtual void onShow() {}
    // False keeps the window open.
    virtual bool onCloseQuery() { return true; }
    virtual void onClose() {}
    // The user's session ends (log-off or shut-down); the window goes right after.
    virtual void onEndSession() {}
    virtual void onMinimize() {}
    // The window, or one of its controls, gets (true) or loses (false) the keyboard focus.
    virtual void onActivate(bool active) {}
    virtual void onHotKey(int hotKeyId) {}
    // Every other message, before the standard handling; true when the form consumed it.
    virtual bool onMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) { return false; }
};

// A key combination that, pressed while the window is active, clicks the control `commandId`
// (which need not exist) instead of reaching the control that has the focus.
struct Shortcut {
    uint32_t modifiers = 0;  // platform::kModAlt, kModControl, kModShift
    uint32_t virtualKey = 0;
    int commandId = 0;
};

struct WindowSpec {
    std::string className;
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    bool minimizeBox = true;
    // Closing this window ends the program.
    bool endsProgram = false;
    // The window this one belongs to (nativeHandle()), or 0: an owned window stays above its
    // owner and has no taskbar button of its own.
    uintptr_t owner = 0;
    // The control id of the button that Enter presses, or 0 for none. Esc closes a modal window
    // as its close box does.
    int defaultButtonId = 0;
    std::vector<Shortcut> shortcuts;
};

// A top-level window. Its controls are created with it as parent.
class Window : public TextControl {
public:
    virtual void show() = 0;
    virtual void hide() = 0;
    // Asks the form (onCloseQuery) and closes when it agrees.
    virtual void close() = 0;
    // Shows the window over its owner, which takes no input meanwhile, and returns once the window
    // has closed; messages of every window are dispatched while it is open.
    virtual void showModal() = 0;
    virtual bool minimized() const = 0;
    virtual void restore() = 0;
    // The handle the platform services address the window by (HWND in the Windows build).
    virtual uintptr_t nativeHandle() const = 0;
};

// A small topmost window that shows one line of text on a coloured ground and is never in the
// way: it is never activated, has no taskbar button, and every click and hit test goes through it
// to the window below.
class Overlay {
public:
    virtual ~Overlay() = default;
    // Shows the text on the colour (0xRRGGBB) in the window, sized to fit it at the screen's DPI.
    virtual void setContent(const std::string& text, uint32_t colour) = 0;
    // Its size in physical pixels (x and y 0), as the content set last needs.
    virtual Rect size() const = 0;
    // The part of the screen, in physical pixels, that windows may cover (without the taskbar).
    virtual Rect workArea() const = 0;
    // Shows the window with its top left at the screen point, without activating it.
    virtual void showAt(int x, int y) = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual uint32_t interval() const = 0;
};

}  // namespace tapmill::ui
