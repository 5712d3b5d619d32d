#pragma once
#include <string>

#include "capture/control_hotkeys.h"
#include "capture/key_chord.h"

namespace tapmill {

// A control hot key as the windows name it: its combination, or "无" when it has none.
inline std::string controlKeyText(const ControlKeys& keys, int id) {
    const KeyChord chord = keys.chord(id);
    return chord.none() ? "无" : chordText(chord);
}

}  // namespace tapmill
