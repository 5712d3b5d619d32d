#pragma once
#include <cstdint>

#include "capture/control_hotkeys.h"

namespace tapmill {

// A window that uses a key combination of its own (the editor's Ctrl+Z, undo) takes it from one
// control hot key (the play key, whose documented combination it is) while the window has the
// focus: the hot key is unregistered, so the key reaches the window, and is registered again when
// the window loses the focus or goes. Only while that hot key has the combination: another control
// hot key the user gave it (Ctrl+Z for the stop) keeps it, for the user must always be able to stop.
// A hot key that was not registered (another program holds its combination) stays so.
class ControlKeyPause {
public:
    ControlKeyPause(const ControlKeys& keys, platform::HotKeys& hotKeys, uintptr_t window, int id, KeyChord chord)
        : keys_(keys), hotKeys_(hotKeys), window_(window), id_(id), chord_(chord) {}
    ControlKeyPause(const ControlKeyPause&) = delete;
    ControlKeyPause& operator=(const ControlKeyPause&) = delete;
    ~ControlKeyPause() { resume(); }

    void pause();
    // False when the hot key could not be had back: another program took its combination meanwhile.
    bool resume();

private:
    const ControlKeys& keys_;
    platform::HotKeys& hotKeys_;
    uintptr_t window_;
    int id_;
    KeyChord chord_;
    bool paused_ = false;  // the hot key is taken off
};

}  // namespace tapmill
