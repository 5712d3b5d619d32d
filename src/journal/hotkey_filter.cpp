#include "journal/hotkey_filter.h"

#include <algorithm>
#include <utility>

#include "journal/input_messages.h"
#include "platform/hotkeys.h"

namespace tapmill::journal {

bool HotKeyFilter::isHotKeyPress(uint8_t key) const {
    // As the system matches hot keys: exactly the combination's modifiers, and no Windows key.
    if (held(kVkLWin) || held(kVkRWin)) return false;
    uint32_t modifiers = 0;
    if (held(kVkMenu)) modifiers |= platform::kModAlt;
    if (held(kVkControl)) modifiers |= platform::kModControl;
    if (held(kVkShift)) modifiers |= platform::kModShift;
    return std::any_of(hotKeys_.begin(), hotKeys_.end(),
                       [&](const KeyChord& chord) { return chord.key == key && chord.modifiers == modifiers; });
}

HotKeyFilter::Verdict HotKeyFilter::judge(const JournalEvent& event, int32_t number) {
    if (!isKeyMessage(event.message)) return Verdict::Record;
    const uint8_t key = keyOf(event);
    if (isKeyDown(event.message)) {
        held_.insert(key);
        if (isHotKeyPress(key)) return Verdict::SkipHotKey;
        recorded_.emplace(key, number);  // a repeated press keeps the number of the first
        return Verdict::Record;
    }
    held_.erase(key);
    return recorded_.erase(key) ? Verdict::Record : Verdict::Skip;
}

void HotKeyFilter::forgetFrom(int32_t number) {
    for (auto it = recorded_.begin(); it != recorded_.end();)
        it = it->second >= number ? recorded_.erase(it) : std::next(it);
}

void HotKeyFilter::reset(std::vector<KeyChord> hotKeys) {
    hotKeys_ = std::move(hotKeys);
    held_.clear();
    recorded_.clear();
}

}  // namespace tapmill::journal
