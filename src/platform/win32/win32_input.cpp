#include "platform/win32/win32_input.h"

#include <windows.h>

namespace tapmill::win32 {

void Win32Input::setCursorPos(int x, int y) { SetCursorPos(x, y); }

platform::Point Win32Input::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Input::mouseEvent(uint32_t flags) { mouse_event(flags, 0, 0, 0, 0); }

void Win32Input::mouseWheel(int32_t delta) { mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta), 0); }

void Win32Input::keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) {
    keybd_event(virtualKey, scanCode, flags, 0);
}

void Win32Input::typeCharacter(char16_t unit) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wScan = unit;
        key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

uint32_t Win32Input::mapVirtualKey(uint32_t code, uint32_t mapType) { return MapVirtualKeyA(code, mapType); }

}  // namespace tapmill::win32
