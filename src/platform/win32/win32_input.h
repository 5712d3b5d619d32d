#pragma once
#include "platform/input.h"

namespace tapmill::win32 {

class Win32Input : public platform::Input {
public:
    void setCursorPos(int x, int y) override;
    platform::Point cursorPos() override;
    void mouseEvent(uint32_t flags) override;
    void mouseWheel(int32_t delta) override;
    void keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) override;
    void typeCharacter(char16_t unit) override;
    uint32_t mapVirtualKey(uint32_t code, uint32_t mapType) override;
};

}  // namespace tapmill::win32
