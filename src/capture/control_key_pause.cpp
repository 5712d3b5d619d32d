#include "capture/control_key_pause.h"

namespace tapmill {

void ControlKeyPause::pause() {
    if (paused_ || keys_.chord(id_) != chord_) return;
    if (!hotKeys_.unregisterHotKey(window_, id_)) return;
    paused_ = true;
}

bool ControlKeyPause::resume() {
    if (!paused_) return true;
    paused_ = false;
    return hotKeys_.registerHotKey(window_, id_, chord_.modifiers, chord_.key);
}

}  // namespace tapmill
