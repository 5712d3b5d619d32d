#include "common/held_input.h"

#include "platform/extended_keys.h"
#include "platform/hotkeys.h"

namespace tapmill {

namespace {

constexpr uint32_t kMapVirtualKeyToScanCode = 0;  // MAPVK_VK_TO_VSC

// Shift, Ctrl and Alt with their left and right keys, and the two Windows keys.
uint32_t modifierOfKey(uint8_t vk) {
    switch (vk) {
        case 16: case 160: case 161: return platform::kModShift;
        case 17: case 162: case 163: return platform::kModControl;
        case 18: case 164: case 165: return platform::kModAlt;
        case 91: case 92: return platform::kModWin;
        default: return 0;
    }
}

}  // namespace

void HeldInput::mouse(uint32_t flags) {
    note(input_.mouseEvent(flags));
    if (flags & platform::kMouseLeftDown) left_ = true;
    if (flags & platform::kMouseLeftUp) left_ = false;
    if (flags & platform::kMouseRightDown) right_ = true;
    if (flags & platform::kMouseRightUp) right_ = false;
    if (flags & platform::kMouseMiddleDown) middle_ = true;
    if (flags & platform::kMouseMiddleUp) middle_ = false;
}

void HeldInput::key(uint8_t virtualKey, uint32_t flags) {
    // The scan code goes to the system as one byte.
    const auto scan = static_cast<uint8_t>(input_.mapVirtualKey(virtualKey, kMapVirtualKeyToScanCode));
    note(input_.keybdEvent(virtualKey, scan, flags | (platform::isExtendedKey(virtualKey) ? uint32_t{platform::kKeyEventExtendedKey} : 0u)));
    if (flags & platform::kKeyEventKeyUp)
        keys_.erase(virtualKey);
    else
        keys_.insert(virtualKey);
}

void HeldInput::releaseAll() {
    const std::set<uint8_t> held = keys_;
    for (uint8_t vk : held) key(vk, platform::kKeyEventKeyUp);
    if (middle_) input_.mouseEvent(platform::kMouseMiddleUp);
    if (right_) input_.mouseEvent(platform::kMouseRightUp);
    if (left_) input_.mouseEvent(platform::kMouseLeftUp);
    middle_ = right_ = left_ = false;
}

void HeldInput::letGo() {
    if (!anyHeld()) return;
    letGo_ = {left_, right_, middle_, keys_, input_.cursorPos()};
    releaseAll();
}

void HeldInput::pressAgain() {
    for (uint8_t vk : letGo_.keys)
        if (!keyHeld(vk)) key(vk, 0);
    const bool buttons = (letGo_.left && !left_) || (letGo_.right && !right_) || (letGo_.middle && !middle_);
    if (buttons) input_.setCursorPos(letGo_.at.x, letGo_.at.y);
    if (letGo_.left && !left_) mouse(platform::kMouseLeftDown);
    if (letGo_.right && !right_) mouse(platform::kMouseRightDown);
    if (letGo_.middle && !middle_) mouse(platform::kMouseMiddleDown);
    letGo_ = {};
}

uint32_t HeldInput::modifiersHeld() const {
    uint32_t modifiers = 0;
    for (uint8_t vk : keys_) modifiers |= modifierOfKey(vk);
    return modifiers;
}

}  // namespace tapmill
