#include "platform/fake/fake_hotkeys.h"

namespace tapmill::fake {

bool FakeHotKeys::registerHotKey(uintptr_t, int id, uint32_t modifiers, uint32_t virtualKey) {
    if (taken.count({modifiers, virtualKey}) || active.count(id)) return false;
    // The system keeps one registration per combination, as it does for another program's.
    for (const auto& held : active)
        if (held.second.modifiers == modifiers && held.second.virtualKey == virtualKey) return false;
    HotKeyRegistration r{id, modifiers, virtualKey};
    registrations.push_back(r);
    active[id] = r;
    return true;
}

bool FakeHotKeys::unregisterHotKey(uintptr_t, int id) {
    unregistered.push_back(id);
    return active.erase(id) > 0;
}

uint32_t FakeHotKeys::registerWindowMessage(const std::string& name) {
    auto it = messages.find(name);
    if (it != messages.end()) return it->second;
    return messages[name] = nextMessage_++;
}

}  // namespace tapmill::fake
