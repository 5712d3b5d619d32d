#pragma once
#include <cstdint>
#include <string>

namespace tapmill::platform {

// The modifiers of a hot key, and of a key press as the keyboard library reports them.
enum : uint32_t { kModAlt = 1, kModControl = 2, kModShift = 4, kModWin = 8 };

// System-wide hot keys, and registered window messages. `window` is the native handle of the
// window that receives WM_HOTKEY (ui::Window::nativeHandle()).
class HotKeys {
public:
    virtual ~HotKeys() = default;
    // False when the combination is taken by another program.
    virtual bool registerHotKey(uintptr_t window, int id, uint32_t modifiers, uint32_t virtualKey) = 0;
    // False when the window had no hot key of this identifier.
    virtual bool unregisterHotKey(uintptr_t window, int id) = 0;
    virtual uint32_t registerWindowMessage(const std::string& name) = 0;
};

}  // namespace tapmill::platform
