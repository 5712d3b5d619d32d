#pragma once
#include <cstdint>

namespace tapmill {

// The mouse library's messages to the main window: the base the recorder starts it with, plus
// the offset of each button transition.
inline constexpr uint32_t kMouseMessageBase = 1152;
enum MouseMessageOffset : uint32_t {
    kMouseLeftDownOffset = 0,
    kMouseLeftUpOffset = 1,
    kMouseRightDownOffset = 2,
    kMouseRightUpOffset = 3,
    kMouseLeftDoubleClickOffset = 4,
    kMouseMiddleDownOffset = 5,
    kMouseMiddleUpOffset = 6,
    kMouseWheelOffset = 7,  // wParam: the turn, signed, in steps of 120 per notch
};

// The keyboard library reports key numbers 1 to this, each by the message registered under its
// decimal digits.
inline constexpr int kHighestKeyNumber = 254;

// What follows a key's press the keyboard library reports by one more registered message, so that
// a window that knows only the presses sees nothing new: wParam the key number, lParam the
// modifiers held and one of these flags.
inline constexpr char kKeyTransitionMessageName[] = "TapmillKeyTransition";
inline constexpr uint32_t kKeyReleasedFlag = 0x10000;
inline constexpr uint32_t kKeyRepeatedFlag = 0x20000;

}  // namespace tapmill
