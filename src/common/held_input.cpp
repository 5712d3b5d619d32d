#include "common/held_input.h"

namespace tapmill {

void HeldInput::mouse(uint32_t flags) {
    input_.mouseEvent(flags);
    if (flags & platform::kMouseLeftDown) left_ = true;
    if (flags & platform::kMouseLeftUp) left_ = false;
    if (flags & platform::kMouseRightDown) right_ = true;
    if (flags & platform::kMouseRightUp) right_ = false;
}

void HeldInput::key(uint8_t virtualKey, uint8_t scanCode, uint32_t flags) {
    input_.keybdEvent(virtualKey, scanCode, flags);
    if (flags & platform::kKeyEventKeyUp)
        keys_.erase(virtualKey);
    else
        keys_.insert(virtualKey);
}

void HeldInput::releaseAll() {
    for (uint8_t vk : keys_) input_.keybdEvent(vk, 0, platform::kKeyEventKeyUp);
    keys_.clear();
    if (right_) input_.mouseEvent(platform::kMouseRightUp);
    if (left_) input_.mouseEvent(platform::kMouseLeftUp);
    right_ = left_ = false;
}

}  // namespace tapmill
