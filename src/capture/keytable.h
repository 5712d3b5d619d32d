#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tapmill {

// Key numbers are Windows virtual-key codes 1 to 254; key names are their short ASCII names as the
// user sees them in key fields and script lines ("A", "F5", "RETURN", "UPK" for the Up arrow,
// "OEM_PERIOD" for the full stop).

// The name of a key number, or empty text for a number without a name. Keypad digits are named
// like the main-row digits.
std::string keyname(int number);

// The key as the user sees it in the fields and lists of hot keys: its name where the name is its
// own, "Num0" to "Num9" for the keypad digits, and "键码" with the decimal number for a key without
// a name ("键码12" for Clear), so that no two keys look alike.
std::string keyLabel(int number);
// The key number of a label keyLabel gives; empty for any other text.
std::optional<int> keyOfLabel(const std::string& label);

// The key a key field captures with the modifiers held at its press (platform::kMod...): their
// names joined by "+" before the key's, Ctrl, Alt, Shift and Win in that order ("CONTROL+SHIFT+S").
// A modifier key's own modifier is no modifier of its press; a key without a name gives empty text.
std::string combinationName(int number, uint32_t modifiers);
// The modifiers of a press as they are to be kept: without the key's own (a modifier key is held
// as it goes down, or not yet, depending on who asks when).
uint32_t modifiersBesides(int number, uint32_t modifiers);

// The virtual-key code of a key name, decided by its length: one character is its own code, two
// characters are F1 to F9 by the second (a digit), three or more come from the table, exactly and
// case-sensitively. Empty when the name has no code.
std::optional<int> keycode(const std::string& name);

}  // namespace tapmill
