#include "triggers/hotkey_conflicts.h"

namespace tapmill {

namespace {

std::optional<std::string> heldBy(KeyChord chord, const ControlKeys& controlKeys, const HotKeyEntry* entry,
                                  int changing) {
    const ControlHotKey* control = controlKeys.holder(chord);
    if (control && control->id != changing)
        return "热键 " + chordText(chord) + " 已用作控制热键“" + control->name + "”！";
    if (entry) return "热键 " + chordText(chord) + " 已在热键表中！";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> hotKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table) {
    return heldBy(chord, controlKeys, table.holder(chord), 0);
}

std::optional<std::string> controlKeyConflict(KeyChord chord, const ControlKeys& controlKeys, const HotKeyTable& table,
                                              int changing) {
    return heldBy(chord, controlKeys, table.claimer(chord), changing);
}

std::string takenByAnotherProgram(KeyChord chord) { return "热键 " + chordText(chord) + " 已被其它程序占用！"; }

}  // namespace tapmill
