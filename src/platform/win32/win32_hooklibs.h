#pragma once
#include "platform/hooklibs.h"

namespace tapmill::win32 {

// Switches PTRGUARD.DLL and TAPGUARD.DLL, which the program imports at load time.
class Win32HookLibraries : public platform::HookLibraries {
public:
    void startHook(uintptr_t window, uint32_t base) override;
    void stopHook() override;
    void enableHotKeyHook() override;
    void disableHotKeyHook() override;
};

}  // namespace tapmill::win32
