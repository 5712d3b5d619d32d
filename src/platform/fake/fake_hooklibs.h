#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hooklibs.h"

namespace tapmill::fake {

// The hook libraries as switches: every call in order, and whether each library would report now.
class FakeHookLibraries : public platform::HookLibraries {
public:
    void startHook(uintptr_t window, uint32_t base) override;
    void stopHook() override;
    void enableHotKeyHook() override;
    void disableHotKeyHook() override;

    // "StartHook <window> <base>", "StopHook", "EnableHotKeyHook", "DisableHotKeyHook"
    std::vector<std::string> calls;
    bool mouseOn = false;
    bool keysOn = false;
    uintptr_t mouseWindow = 0;
    uint32_t mouseBase = 0;
};

}  // namespace tapmill::fake
