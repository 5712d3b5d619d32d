#pragma once
// Whether a combination may become a hot key of the program: a control hot key and an entry of
// the user's table never share one. The refusals name what holds it.
#include <optional>
#include <string>

#include "capture/control_hotkeys.h"
#include "triggers/hotkey_table.h"

namespace tapmill {

// The refusal for a combination held by another control hot key than `changing` (0 for none) or
// by an entry of the table; empty when neither holds it.
std::optional<std::string> hotKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table,
                                          int changing = 0);
// The refusal for a combination another program holds.
std::string takenByAnotherProgram(KeyChord chord);

}  // namespace tapmill
