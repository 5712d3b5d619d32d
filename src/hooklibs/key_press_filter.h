#pragma once
#include <bitset>
#include <cstdint>

namespace tapmill::hooklibs {

// Turns the keyboard's down and up transitions into the key presses the program is told of: one
// per press (auto-repeat is not a new press, but a repeat of it), and each release, for key
// numbers 1 to 254. The low-level hook
// sees left and right Shift, Ctrl and Alt as keys of their own; they are reported by the shared
// numbers 16, 17 and 18, which are the ones the key table names.
//
// A repeat is a key going down that is both remembered as held and held by the system's own key
// state. The memory alone goes stale when a release happens where the hook cannot see it (the
// secure desktop of Win+L or Ctrl+Alt+Del, a UAC prompt): the next real press would pass for a
// repeat and be lost. The system's state alone is not enough either where it already counts the
// press being reported.
class KeyPressFilter {
public:
    // The key number to report for a key going down, as a press or as a repeat (0 for none).
    struct Down {
        int press = 0;
        int repeat = 0;
    };
    // systemHeld: whether the system's key state has the key down as the hook sees it.
    Down keyDown(uint32_t virtualKey, bool systemHeld) {
        if (virtualKey >= kCodes) return {};
        const bool repeat = held_[virtualKey] && systemHeld;
        held_[virtualKey] = true;
        const int number = reported(virtualKey);
        return repeat ? Down{0, number} : Down{number, 0};
    }
    // The key number to report as released, or 0.
    int keyUp(uint32_t virtualKey) {
        if (virtualKey >= kCodes) return 0;
        held_[virtualKey] = false;
        return reported(virtualKey);
    }
    // A key released while nobody listened must not pass for held at the next start.
    void reset() { held_.reset(); }

private:
    static constexpr uint32_t kCodes = 256;
    static int reported(uint32_t virtualKey) {
        const uint32_t number = sharedNumber(virtualKey);
        return number >= 1 && number <= 254 ? static_cast<int>(number) : 0;
    }
    static uint32_t sharedNumber(uint32_t virtualKey) {
        switch (virtualKey) {
            case 0xA0: case 0xA1: return 0x10;  // VK_LSHIFT, VK_RSHIFT -> VK_SHIFT
            case 0xA2: case 0xA3: return 0x11;  // VK_LCONTROL, VK_RCONTROL -> VK_CONTROL
            case 0xA4: case 0xA5: return 0x12;  // VK_LMENU, VK_RMENU -> VK_MENU
            default: return virtualKey;
        }
    }
    std::bitset<kCodes> held_;
};

}  // namespace tapmill::hooklibs
