#pragma once
#include <cstdint>

namespace tapmill::platform {

// The two hook libraries that report the user's mouse buttons and keys from anywhere on the
// desktop as window messages to the main window. The program only switches them on and off; no
// call has a result, and each is safe to repeat or to make in any order.
class HookLibraries {
public:
    virtual ~HookLibraries() = default;
    // Mouse buttons: base + 0 left down, + 1 left up, + 2 right down, + 3 right up, + 4 left
    // double click (the second press of the pair), + 5 middle down, + 6 middle up, + 7 a turn of
    // the wheel (wParam: the signed turn, 120 a notch), posted to `window` (ui::Window::nativeHandle()).
    virtual void startHook(uintptr_t window, uint32_t base) = 0;
    virtual void stopHook() = 0;
    // Keys 1 to 254: the message registered under the key number's decimal digits, posted to the
    // main window, which the library finds by its class.
    virtual void enableHotKeyHook() = 0;
    virtual void disableHotKeyHook() = 0;
};

}  // namespace tapmill::platform
