#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/hotkeys.h"

namespace tapmill::fake {

struct HotKeyRegistration {
    int id;
    uint32_t modifiers;
    uint32_t virtualKey;
};

// Hot keys as the system would keep them: one registration per combination, the window's own
// included; combinations in `taken` belong to another program.
class FakeHotKeys : public platform::HotKeys {
public:
    bool registerHotKey(uintptr_t window, int id, uint32_t modifiers, uint32_t virtualKey) override;
    bool unregisterHotKey(uintptr_t window, int id) override;
    uint32_t registerWindowMessage(const std::string& name) override;

    std::vector<HotKeyRegistration> registrations;  // every successful call, in order
    std::vector<int> unregistered;
    std::set<std::pair<uint32_t, uint32_t>> taken;  // (modifiers, key)
    std::map<int, HotKeyRegistration> active;
    std::map<std::string, uint32_t> messages;

private:
    uint32_t nextMessage_ = 0xC000;
};

}  // namespace tapmill::fake
