#include "platform/win32/win32_input.h"

namespace tapmill::win32 {

void Win32Input::setCursorPos(int x, int y) { SetCursorPos(x, y); }

platform::Point Win32Input::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

// What mouse_event and keybd_event send, through SendInput, whose answer tells a refusal.
platform::InputRefusal Win32Input::mouseEvent(uint32_t flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return injector_.send(input);
}

platform::InputRefusal Win32Input::mouseWheel(int32_t delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    return injector_.send(input);
}

platform::InputRefusal Win32Input::keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return injector_.send(input);
}

platform::InputRefusal Win32Input::typeCharacter(char16_t unit) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wScan = unit;
        key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    for (INPUT& key : keys)
        if (const platform::InputRefusal refusal = injector_.send(key); refusal != platform::InputRefusal::None)
            return refusal;
    return platform::InputRefusal::None;
}

uint32_t Win32Input::mapVirtualKey(uint32_t code, uint32_t mapType) { return MapVirtualKeyA(code, mapType); }

}  // namespace tapmill::win32
