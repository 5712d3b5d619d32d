#include "platform/win32/win32_hotkeys.h"

#include <windows.h>

namespace tapmill::win32 {

bool Win32HotKeys::registerHotKey(uintptr_t window, int id, uint32_t modifiers, uint32_t virtualKey) {
    return RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32HotKeys::unregisterHotKey(uintptr_t window, int id) {
    return UnregisterHotKey(reinterpret_cast<HWND>(window), id) != FALSE;
}

uint32_t Win32HotKeys::registerWindowMessage(const std::string& name) { return RegisterWindowMessageA(name.c_str()); }

}  // namespace tapmill::win32
