#pragma once
#include <cstdint>

#include "capture/control_hotkeys.h"

namespace tapmill {

// A window that uses a key combination of its own (the editor's Ctrl+Z, undo) takes it from the
// control hot key that holds it while the window has the focus: the hot key is unregistered, so
// the key reaches the window, and is registered again when the window loses the focus or goes.
// A hot key that was not registered (another program holds its combination) stays so.
class ControlKeyPause {
public:
    ControlKeyPause(const ControlKeys& keys, platform::HotKeys& hotKeys, uintptr_t window, KeyChord chord)
        : keys_(keys), hotKeys_(hotKeys), window_(window), chord_(chord) {}
    ControlKeyPause(const ControlKeyPause&) = delete;
    ControlKeyPause& operator=(const ControlKeyPause&) = delete;
    ~ControlKeyPause() { resume(); }

    void pause();
    void resume();

private:
    const ControlKeys& keys_;
    platform::HotKeys& hotKeys_;
    uintptr_t window_;
    KeyChord chord_;
    // The hot key taken off, with the combination it had; 0 while none is.
    int pausedId_ = 0;
    KeyChord pausedChord_;
};

}  // namespace tapmill
