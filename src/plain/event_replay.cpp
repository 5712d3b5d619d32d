#include "plain/event_replay.h"

#include <utility>

#include "platform/hotkeys.h"

namespace tapmill {

namespace {

struct Modifier {
    uint8_t key;
    uint32_t bit;
};

// In the order a user presses them.
const Modifier kModifiers[] = {
    {17, platform::kModControl}, {18, platform::kModAlt}, {16, platform::kModShift}, {91, platform::kModWin}};

uint32_t modifierBit(uint8_t key) {
    if (key == 92) return platform::kModWin;  // RWIN
    for (const Modifier& m : kModifiers)
        if (m.key == key) return m.bit;
    return 0;
}

}  // namespace

void EventReplay::play(const FrameEvent& event) {
    if (event.kind == FrameEvent::None || event.kind == FrameEvent::BadKey) return;
    const bool key = event.kind == FrameEvent::Key;
    // The key number goes to the system as one byte.
    const auto vk = static_cast<uint8_t>(event.key & 0xFF);
    const uint32_t modifier = key ? modifierBit(vk) : 0;
    // Ctrl, then Shift with Ctrl held: both wait for the key of Ctrl+Shift. A button pressed with
    // modifiers takes them in as a key does.
    tapWaitingModifiers(event.modifiers, modifier != 0);
    // A button with modifiers goes inside those the replay does not hold already.
    const std::vector<uint8_t> pressed = key ? std::vector<uint8_t>() : pressModifiers(event.modifiers);
    switch (event.kind) {
        case FrameEvent::LeftDown: held_.mouse(platform::kMouseLeftDown); break;
        case FrameEvent::LeftUp: held_.mouse(platform::kMouseLeftUp); break;
        case FrameEvent::RightDown: held_.mouse(platform::kMouseRightDown); break;
        case FrameEvent::RightUp: held_.mouse(platform::kMouseRightUp); break;
        case FrameEvent::MiddleDown: held_.mouse(platform::kMouseMiddleDown); break;
        case FrameEvent::MiddleUp: held_.mouse(platform::kMouseMiddleUp); break;
        case FrameEvent::Wheel: held_.wheel(event.key); break;
        case FrameEvent::LeftDoubleClick: {
            const bool secondPress = afterLeftClick();
            if (!secondPress) {
                held_.mouse(platform::kMouseLeftDown);
                held_.mouse(platform::kMouseLeftUp);
            }
            held_.mouse(platform::kMouseLeftDown);
            if (!secondPress) held_.mouse(platform::kMouseLeftUp);
            break;
        }
        case FrameEvent::Key:
            if (modifier) {
                waiting_.push_back({vk, modifier});
                framesWaited_ = 0;
            } else {
                pressKey(vk, event.modifiers);
                // The last repeat of a held key and its release, in one frame: the key is up.
                heldDown_.erase(vk);
            }
            break;
        // Down again while held is a repeat, as the keyboard makes it.
        case FrameEvent::KeyDown:
            held_.key(vk, 0);
            heldDown_.insert(vk);
            break;
        case FrameEvent::KeyUp:
            if (heldDown_.erase(vk)) held_.key(vk, platform::kKeyEventKeyUp);
            break;
        case FrameEvent::None:
        case FrameEvent::BadKey:
            break;
    }
    releaseModifiers(pressed);
    before_[0] = before_[1];
    before_[1] = event.kind;
}

bool EventReplay::afterLeftClick() const {
    return before_[0] == FrameEvent::LeftDown && before_[1] == FrameEvent::LeftUp;
}

std::vector<uint8_t> EventReplay::pressModifiers(uint32_t modifiers) {
    std::vector<uint8_t> pressed;
    for (const Modifier& m : kModifiers)
        if ((modifiers & m.bit) && !held_.keyHeld(m.key)) {
            held_.key(m.key, 0);
            pressed.push_back(m.key);
        }
    return pressed;
}

void EventReplay::releaseModifiers(const std::vector<uint8_t>& pressed) {
    for (auto m = pressed.rbegin(); m != pressed.rend(); ++m) held_.key(*m, platform::kKeyEventKeyUp);
}

void EventReplay::pressKey(uint8_t key, uint32_t modifiers) {
    const std::vector<uint8_t> pressed = pressModifiers(modifiers);
    held_.key(key, 0);
    held_.key(key, platform::kKeyEventKeyUp);
    releaseModifiers(pressed);
}

// The waiting modifiers the next press holds belong to it (and wait on when it is a modifier's);
// the others were pressed on their own.
void EventReplay::tapWaitingModifiers(uint32_t heldByNext, bool nextWaits) {
    std::vector<WaitingModifier> still;
    for (const WaitingModifier& m : waiting_) {
        if (!(heldByNext & m.modifier))
            pressKey(m.key, 0);
        else if (nextWaits)
            still.push_back(m);
    }
    waiting_ = std::move(still);
}

void EventReplay::endFrame() {
    if (!waiting_.empty() && ++framesWaited_ > kCombinationFrames) tapWaitingModifiers(0, false);
}

void EventReplay::endPass() {
    tapWaitingModifiers(0, false);
    // A key the recording ended holding would stay down after the run, and the next pass would
    // press it again.
    for (uint8_t vk : heldDown_) held_.key(vk, platform::kKeyEventKeyUp);
    heldDown_.clear();
    before_[0] = before_[1] = FrameEvent::None;
}

}  // namespace tapmill
