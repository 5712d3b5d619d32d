#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tapmill {

// A key with the modifiers held with it, as RegisterHotKey takes them; key 0 is no key at all.
struct KeyChord {
    uint32_t modifiers = 0;  // platform::kModAlt, kModControl, kModShift
    uint32_t key = 0;        // virtual-key code, 1 to 254: every key the keyboard library reports
    bool none() const { return key == 0; }
    bool operator==(const KeyChord& other) const { return modifiers == other.modifiers && key == other.key; }
    bool operator!=(const KeyChord& other) const { return !(*this == other); }
};

// "Ctrl+Alt+Shift+" before the key's name, in that order: "Ctrl+W", "F9", "Ctrl+Shift+Z"; empty
// for no key.
std::string chordText(const KeyChord& chord);
// The chord a text of chordText names; empty for any other text (a key name the key table would
// spell differently, an unknown modifier, a modifier alone).
std::optional<KeyChord> parseChord(const std::string& text);

}  // namespace tapmill
