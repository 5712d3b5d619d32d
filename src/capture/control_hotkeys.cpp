#include "capture/control_hotkeys.h"

namespace tapmill {

const ControlHotKey* controlHotKeyPressed(int key, uint32_t modifiers) {
    for (const ControlHotKey& k : kControlHotKeys)
        if (static_cast<int>(k.key) == key && k.modifiers == modifiers) return &k;
    return nullptr;
}

const ControlHotKey* controlHotKey(int id) {
    for (const ControlHotKey& k : kControlHotKeys)
        if (k.id == id) return &k;
    return nullptr;
}

}  // namespace tapmill
