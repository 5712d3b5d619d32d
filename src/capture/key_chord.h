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

// What the user sees: "Ctrl+Alt+Shift+" before the key's label (keyLabel), in that order:
// "Ctrl+W", "F9", "Ctrl+Shift+Z", "Num0"; empty for no key.
std::string chordText(const KeyChord& chord);
// The combination's name as the settings files have always spelled it: the same, with the key's
// name (keyname) in place of its label. Keypad digits share the names of the main-row digits, and
// a key without a name leaves the modifiers alone ("Ctrl+"), so the name alone may not tell the key.
std::string chordName(const KeyChord& chord);
// The chord a text of chordName names; empty for any other text (a key name the key table would
// spell differently, an unknown modifier, a modifier alone).
std::optional<KeyChord> parseChordName(const std::string& text);

// A combination as the settings files keep it: its name, and beside it in a key of its own the
// decimal virtual-key code, which tells the keys the name cannot (Num0 from 0, Clear, the IME
// keys). A reader that knows only names reads the name, as it always did.
std::string chordCodeText(const KeyChord& chord);
// The chord of a stored name and code. The code counts only while the name is the one chordName
// gives that code with some modifiers: a name changed by a program that knew no codes leaves a code
// that no longer fits, and the name is read alone, as it always was.
std::optional<KeyChord> readStoredChord(const std::string& name, const std::string& code);

}  // namespace tapmill
