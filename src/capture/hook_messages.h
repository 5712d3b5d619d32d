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

// A button transition carries, where lParam has this flag beside the modifiers, the point it
// happened at in wParam: x in the low word, y in the high word, each signed. The window a press
// went to is the one under that point, not under the pointer when the message is handled.
inline constexpr uint32_t kPointInWParamFlag = 0x10000;
inline constexpr uintptr_t pointInWParam(int x, int y) {
    return (static_cast<uintptr_t>(static_cast<uint16_t>(y)) << 16) | static_cast<uint16_t>(x);
}
inline constexpr int pointXOf(uintptr_t wParam) { return static_cast<int16_t>(wParam & 0xFFFF); }
inline constexpr int pointYOf(uintptr_t wParam) { return static_cast<int16_t>((wParam >> 16) & 0xFFFF); }

// The keyboard library reports key numbers 1 to this, each by the message registered under its
// decimal digits.
inline constexpr int kHighestKeyNumber = 254;

// What follows a key's press the keyboard library reports by one more registered message, so that
// a window that knows only the presses sees nothing new: wParam the key number, lParam the
// modifiers held and one of these flags.
inline constexpr char kKeyTransitionMessageName[] = "TapmillKeyTransition";
inline constexpr uint32_t kKeyReleasedFlag = 0x10000;
inline constexpr uint32_t kKeyRepeatedFlag = 0x20000;

// Just before each key press the keyboard library reports, by one more registered message, the
// window that had the keyboard at that moment (wParam, its handle): a key that closes a dialog
// belongs to the dialog, though another window has the keyboard when the press is handled.
inline constexpr char kKeyboardWindowMessageName[] = "TapmillKeyboardWindow";

}  // namespace tapmill
