#include "capture/control_key_pause.h"

namespace tapmill {

void ControlKeyPause::pause() {
    if (pausedId_) return;
    const ControlHotKey* holder = keys_.holder(chord_);
    // The point capture's key is registered by the editor itself, only while it captures.
    if (!holder || holder->id == HK_CapturePoint) return;
    if (!hotKeys_.unregisterHotKey(window_, holder->id)) return;
    pausedId_ = holder->id;
    pausedChord_ = keys_.chord(holder->id);
}

void ControlKeyPause::resume() {
    if (!pausedId_) return;
    hotKeys_.registerHotKey(window_, pausedId_, pausedChord_.modifiers, pausedChord_.key);
    pausedId_ = 0;
}

}  // namespace tapmill
