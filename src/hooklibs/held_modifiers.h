#pragma once
#include <windows.h>

namespace tapmill::hooklibs {

// The modifiers held now on the desktop, as RegisterHotKey names them (MOD_ALT, MOD_CONTROL,
// MOD_SHIFT, MOD_WIN): what a key press or a click is made with.
inline LPARAM heldModifiers() {
    const auto isDown = [](int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; };
    return (isDown(VK_MENU) ? MOD_ALT : 0) | (isDown(VK_CONTROL) ? MOD_CONTROL : 0) | (isDown(VK_SHIFT) ? MOD_SHIFT : 0) |
           (isDown(VK_LWIN) || isDown(VK_RWIN) ? MOD_WIN : 0);
}

}  // namespace tapmill::hooklibs
