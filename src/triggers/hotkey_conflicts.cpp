#include "triggers/hotkey_conflicts.h"

namespace tapmill {

std::optional<std::string> hotKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table,
                                          int changing) {
    const ControlHotKey* control = controlKeys.holder(chord);
    if (control && control->id != changing)
        return "热键 " + chordText(chord) + " 已用作控制热键“" + control->name + "”！";
    if (table.holder(chord)) return "热键 " + chordText(chord) + " 已在热键表中！";
    return std::nullopt;
}

std::string takenByAnotherProgram(KeyChord chord) { return "热键 " + chordText(chord) + " 已被其它程序占用！"; }

}  // namespace tapmill
