#pragma once
#include "platform/input.h"
#include "platform/win32/win32_injector.h"

namespace tapmill::win32 {

class Win32Input : public platform::Input {
public:
    void setCursorPos(int x, int y) override;
    platform::Point cursorPos() override;
    platform::InputRefusal mouseEvent(uint32_t flags) override;
    platform::InputRefusal mouseWheel(int32_t delta) override;
    platform::InputRefusal keybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) override;
    platform::InputRefusal typeCharacter(char16_t unit) override;
    uint32_t mapVirtualKey(uint32_t code, uint32_t mapType) override;

private:
    Win32Injector injector_;
};

}  // namespace tapmill::win32
