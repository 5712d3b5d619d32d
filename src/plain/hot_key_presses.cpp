#include "plain/hot_key_presses.h"

#include <algorithm>

#include "platform/hotkeys.h"

namespace tapmill {

namespace {

struct ModifierKeys {
    uint32_t bit;
    int32_t keys[2];  // 0 for none
};

// The key numbers the keyboard library reports for each modifier.
const ModifierKeys kModifierKeys[] = {{platform::kModControl, {17, 0}},
                                      {platform::kModAlt, {18, 0}},
                                      {platform::kModShift, {16, 0}},
                                      {platform::kModWin, {91, 92}}};

bool isModifierKey(int32_t key) {
    for (const ModifierKeys& m : kModifierKeys)
        if (m.keys[0] == key || (m.keys[1] && m.keys[1] == key)) return true;
    return false;
}

bool isButtonRelease(FrameEvent::Kind kind) {
    return kind == FrameEvent::LeftUp || kind == FrameEvent::RightUp || kind == FrameEvent::MiddleUp;
}

bool isPress(const FrameEvent& event, int32_t key) {
    return (event.kind == FrameEvent::KeyDown || event.kind == FrameEvent::Key) && event.key == key;
}

struct Place {
    size_t frame;
    size_t event;
    bool operator<(const Place& o) const { return frame != o.frame ? frame < o.frame : event < o.event; }
};

// Where the last press of a key is among the frames, if it is there.
bool lastPress(const std::vector<RecordedFrameEvents>& frames, int32_t key, Place& place) {
    for (size_t f = frames.size(); f-- > 0;)
        for (size_t e = frames[f].events.size(); e-- > 0;)
            if (isPress(frames[f].events[e], key)) {
                place = {f, e};
                return true;
            }
    return false;
}

}  // namespace

std::vector<size_t> takeBackHotKeyPresses(std::vector<RecordedFrameEvents>& frames, uint32_t modifiers,
                                          std::set<int32_t>& heldKeys) {
    struct Press {
        Place place;
        uint32_t bit;
    };
    std::vector<Press> presses;
    for (const ModifierKeys& m : kModifierKeys) {
        if (!(modifiers & m.bit)) continue;
        for (int32_t key : m.keys) {
            Place place{};
            if (key && heldKeys.count(key) && lastPress(frames, key, place)) {
                presses.push_back({place, m.bit});
                heldKeys.erase(key);
            }
        }
    }
    std::set<size_t> changed;
    for (const Press& press : presses)
        for (size_t f = press.place.frame; f < frames.size(); ++f)
            for (size_t e = f == press.place.frame ? press.place.event : 0; e < frames[f].events.size(); ++e)
                if (isButtonRelease(frames[f].events[e].kind) && (frames[f].events[e].modifiers & press.bit)) {
                    frames[f].events[e].modifiers &= ~press.bit;
                    changed.insert(f);
                }
    // The latest first, so the places of the others stay where they are.
    std::sort(presses.begin(), presses.end(), [](const Press& a, const Press& b) { return b.place < a.place; });
    for (const Press& press : presses) {
        std::vector<FrameEvent>& events = frames[press.place.frame].events;
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(press.place.event));
        changed.insert(press.place.frame);
    }
    return {changed.begin(), changed.end()};
}

size_t framesPastTakingBack(const std::vector<RecordedFrameEvents>& frames, const std::set<int32_t>& heldKeys) {
    size_t keep = frames.empty() ? 0 : frames.size() - 1;
    for (int32_t key : heldKeys) {
        Place place{};
        if (isModifierKey(key) && lastPress(frames, key, place)) keep = std::min(keep, place.frame);
    }
    return keep;
}

}  // namespace tapmill
