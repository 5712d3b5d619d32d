#pragma once
// Whether a combination may become a hot key of the program: a control hot key and an entry of
// the user's table never share one. The refusals name what holds it.
#include <optional>
#include <string>

#include "capture/control_hotkeys.h"
#include "triggers/hotkey_table.h"

namespace tapmill {

// The refusal for a new entry of the table on a combination a control hot key or another entry
// holds; empty when neither does.
std::optional<std::string> hotKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table);
// The refusal for a control hot key `changing` given a combination another control hot key holds,
// or an entry of the table that keeps it (HotKeyTable::claimer); empty when none does.
std::optional<std::string> controlKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table,
                                              int changing);
// The refusal for a combination another program holds.
std::string takenByAnotherProgram(KeyChord chord);

}  // namespace tapmill
