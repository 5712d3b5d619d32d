#include "capture/key_chord.h"

#include "capture/hook_messages.h"
#include "capture/keytable.h"
#include "common/intparse.h"
#include "platform/hotkeys.h"

namespace tapmill {

namespace {

struct ModifierName {
    uint32_t flag;
    const char* name;
};

const ModifierName kModifierNames[] = {
    {platform::kModControl, "Ctrl"}, {platform::kModAlt, "Alt"}, {platform::kModShift, "Shift"}};

std::string modifierText(uint32_t modifiers) {
    std::string text;
    for (const ModifierName& m : kModifierNames)
        if (modifiers & m.flag) text += std::string(m.name) + "+";
    return text;
}

}  // namespace

std::string chordText(const KeyChord& chord) {
    if (chord.none()) return std::string();
    return modifierText(chord.modifiers) + keyLabel(static_cast<int>(chord.key));
}

std::string chordName(const KeyChord& chord) {
    if (chord.none()) return std::string();
    return modifierText(chord.modifiers) + keyname(static_cast<int>(chord.key));
}

std::optional<KeyChord> parseChordName(const std::string& text) {
    KeyChord chord;
    size_t start = 0;
    for (size_t plus = text.find('+'); plus != std::string::npos; plus = text.find('+', start)) {
        const std::string part = text.substr(start, plus - start);
        bool known = false;
        for (const ModifierName& m : kModifierNames)
            if (part == m.name && !(chord.modifiers & m.flag)) {
                chord.modifiers |= m.flag;
                known = true;
            }
        if (!known) return std::nullopt;
        start = plus + 1;
    }
    const std::string name = text.substr(start);
    const std::optional<int> code = keycode(name);
    // Only the table's own spelling: "a" or "1" of the keypad would otherwise name other keys.
    if (!code || *code < 1 || *code > kHighestKeyNumber || keyname(*code) != name) return std::nullopt;
    chord.key = static_cast<uint32_t>(*code);
    return chord;
}

std::string chordCodeText(const KeyChord& chord) { return std::to_string(chord.key); }

std::optional<KeyChord> readStoredChord(const std::string& name, const std::string& code) {
    const std::optional<int32_t> key = parseInt32(code);
    if (key && *key >= 1 && *key <= kHighestKeyNumber) {
        // Alt, Ctrl and Shift are the three lowest bits: every set of them in turn.
        const uint32_t all = platform::kModControl | platform::kModAlt | platform::kModShift;
        for (uint32_t modifiers = 0; modifiers <= all; ++modifiers) {
            const KeyChord chord{modifiers, static_cast<uint32_t>(*key)};
            if (chordName(chord) == name) return chord;
        }
    }
    return parseChordName(name);
}

}  // namespace tapmill
