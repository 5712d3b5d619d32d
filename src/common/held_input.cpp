#include "common/held_input.h"

#include "platform/extended_keys.h"

namespace tapmill {

namespace {

constexpr uint32_t kMapVirtualKeyToScanCode = 0;  // MAPVK_VK_TO_VSC

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

}  // namespace tapmill
