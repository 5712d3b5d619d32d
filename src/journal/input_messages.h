#pragma once
#include <cstdint>

#include "platform/journal_hooks.h"

// The window messages and virtual keys of the input events a journal holds, and what the
// recorder needs to know about them.
namespace tapmill::journal {

enum : uint32_t {
    kWmKeyDown = 0x0100,
    kWmKeyUp = 0x0101,
    kWmSysKeyDown = 0x0104,
    kWmSysKeyUp = 0x0105,
    kWmNcMouseMove = 0x00A0,
    kWmNcLast = 0x00A9,
    kWmMouseMove = 0x0200,
    kWmLButtonDown = 0x0201,
    kWmLButtonUp = 0x0202,
    kWmLButtonDblClk = 0x0203,
    kWmRButtonDown = 0x0204,
    kWmRButtonDblClk = 0x0206,
    kWmMButtonDown = 0x0207,
    kWmMButtonUp = 0x0208,
    kWmMButtonDblClk = 0x0209,
    kWmMouseLast = 0x020E,
    // Posted when the system took a journal hook away (Ctrl+Esc, Ctrl+Alt+Del).
    kWmCancelJournal = 0x004B,
};

enum : uint8_t {
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,  // Alt
    kVkLWin = 0x5B,
    kVkRWin = 0x5C,
    kVkF9 = 0x78,
    kVkF10 = 0x79,
    kVkLShift = 0xA0,
    kVkRShift = 0xA1,
    kVkLControl = 0xA2,
    kVkRControl = 0xA3,
    kVkLMenu = 0xA4,
    kVkRMenu = 0xA5,
};

inline bool isKeyMessage(uint32_t message) {
    return message == kWmKeyDown || message == kWmKeyUp || message == kWmSysKeyDown || message == kWmSysKeyUp;
}
inline bool isKeyDown(uint32_t message) { return message == kWmKeyDown || message == kWmSysKeyDown; }

// The key of a key event, left and right modifier keys taken as one (as the key messages give them).
inline uint8_t keyOf(const JournalEvent& event) {
    const auto vk = static_cast<uint8_t>(event.paramL & 0xFF);
    switch (vk) {
        case kVkLShift: case kVkRShift: return kVkShift;
        case kVkLControl: case kVkRControl: return kVkControl;
        case kVkLMenu: case kVkRMenu: return kVkMenu;
        default: return vk;
    }
}

// A mouse message of the client area: a non-client one becomes its client twin, a double click
// the press it is.
inline uint32_t clientMouseMessage(uint32_t message) {
    if (message >= kWmNcMouseMove && message <= kWmNcLast) message += kWmMouseMove - kWmNcMouseMove;
    if (message == kWmLButtonDblClk || message == kWmRButtonDblClk || message == kWmMButtonDblClk) --message;
    return message;
}
inline bool isMouseMessage(uint32_t message) {
    message = clientMouseMessage(message);
    return message >= kWmMouseMove && message <= kWmMouseLast;
}
// The presses and releases of the left, right and middle buttons.
inline bool isButtonMessage(uint32_t message) {
    message = clientMouseMessage(message);
    return message > kWmMouseMove && message <= kWmMButtonUp;
}

}  // namespace tapmill::journal
