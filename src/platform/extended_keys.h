#pragma once
#include <cstdint>

namespace tapmill::platform {

// The keys whose scan code the keyboard sends with the E0 prefix, which injection marks with
// kKeyEventExtendedKey: without it a program that reads scan codes takes the arrows and the
// Insert/Delete/Home/End/Page block for the numeric keypad's, and right Ctrl or Alt for left.
// Shift, Ctrl and Alt are reported by their shared codes 16 to 18, which name the left keys.
inline constexpr bool isExtendedKey(uint32_t virtualKey) {
    switch (virtualKey) {
        case 33: case 34: case 35: case 36:  // PRIOR, NEXT, END, HOME
        case 37: case 38: case 39: case 40:  // the arrows
        case 44: case 45: case 46:           // SNAPSHOT, INSERT, DELETE
        case 91: case 92: case 93:           // LWIN, RWIN, APPS
        case 111:                            // DIVIDE
        case 144:                            // NUMLOCK
        case 163: case 165:                  // RCONTROL, RMENU
        case 166: case 167: case 168: case 169: case 170: case 171: case 172:  // the browser keys
        case 173: case 174: case 175: case 176: case 177: case 178: case 179:  // volume and media
        case 180: case 181: case 182: case 183:                                // the launch keys
            return true;
        default:
            return false;
    }
}

}  // namespace tapmill::platform
