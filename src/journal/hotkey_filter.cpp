#include "journal/hotkey_filter.h"

#include "journal/input_messages.h"

namespace tapmill::journal {

bool HotKeyFilter::isHotKeyPress(uint8_t key) const {
    const bool alt = held(kVkMenu);
    const bool others = held(kVkControl) || held(kVkShift) || held(kVkLWin) || held(kVkRWin);
    if (key == kVkF10) return !alt && !others;
    return (key == 'W' || key == 'Q' || key == 'Z') && alt && !others;
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

void HotKeyFilter::reset() {
    held_.clear();
    recorded_.clear();
}

}  // namespace tapmill::journal
