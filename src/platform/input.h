#pragma once
#include <cstdint>

namespace tapmill::platform {

struct Point {
    int x = 0;
    int y = 0;
};

// Mouse and keyboard flag values of mouse_event and keybd_event.
enum : uint32_t {
    kMouseLeftDown = 0x0002,
    kMouseLeftUp = 0x0004,
    kMouseRightDown = 0x0008,
    kMouseRightUp = 0x0010,
    kMouseMiddleDown = 0x0020,
    kMouseMiddleUp = 0x0040,
    kKeyEventExtendedKey = 0x0001,
    kKeyEventKeyUp = 0x0002,
};

// Why the system took fewer input events than it was given. A window of a program with higher
// rights in front, or a locked or secure desktop, takes none of them.
enum class InputRefusal { None, HigherRights, SecureDesktop, Refused };

// One notch of a mouse wheel (WHEEL_DELTA).
inline constexpr int32_t kWheelNotch = 120;

// Cursor placement and synthetic input into the desktop. Each injection tells whether the system
// took it, and why not where the platform can tell.
class Input {
public:
    virtual ~Input() = default;
    virtual void setCursorPos(int x, int y) = 0;
    virtual Point cursorPos() = 0;
    // A button event at the cursor position: no movement, no wheel data, no extra information.
    virtual InputRefusal mouseEvent(uint32_t flags) = 0;
    // A turn of the wheel at the cursor position: positive away from the user, in kWheelNotch steps.
    virtual InputRefusal mouseWheel(int32_t delta) = 0;
    virtual InputRefusal keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) = 0;
    // One UTF-16 unit typed as a character (a key press and release that carry it), whatever key
    // would make it on the keyboard layout or input method in use.
    virtual InputRefusal typeCharacter(char16_t unit) = 0;
    virtual uint32_t mapVirtualKey(uint32_t code, uint32_t mapType) = 0;
};

}  // namespace tapmill::platform
