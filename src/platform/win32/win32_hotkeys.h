#pragma once
#include "platform/hotkeys.h"

namespace tapmill::win32 {

class Win32HotKeys : public platform::HotKeys {
public:
    bool registerHotKey(uintptr_t window, int id, uint32_t modifiers, uint32_t virtualKey) override;
    bool unregisterHotKey(uintptr_t window, int id) override;
    uint32_t registerWindowMessage(const std::string& name) override;
};

}  // namespace tapmill::win32
