#include "platform/win32/win32_hooklibs.h"

#include "hooklibs/ptrguard.h"
#include "hooklibs/tapguard.h"

namespace tapmill::win32 {

void Win32HookLibraries::startHook(uintptr_t window, uint32_t base) { StartHook(reinterpret_cast<HWND>(window), base); }

void Win32HookLibraries::stopHook() { StopHook(); }

void Win32HookLibraries::enableHotKeyHook() { EnableHotKeyHook(); }

void Win32HookLibraries::disableHotKeyHook() { DisableHotKeyHook(); }

}  // namespace tapmill::win32
