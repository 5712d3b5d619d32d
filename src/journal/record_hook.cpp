#include "journal/record_hook.h"

#include <algorithm>

#include "journal/input_messages.h"

namespace tapmill::journal {

namespace {

// Bounds of the watch: a system that calls its hook never lets either list grow long.
constexpr size_t kMaxUnconfirmed = 4096;
constexpr size_t kMaxAhead = 64;

// Keys and buttons prove that the system hook delivers. Mouse moves do not, since the system
// merges the moves a busy program has not taken yet, and neither do the keys of the program's
// own hot keys, which the system keeps from every hook.
bool provesDelivery(const JournalEvent& event) {
    if (isButtonMessage(event.message)) return true;
    if (!isKeyMessage(event.message)) return false;
    switch (keyOf(event)) {
        case 'W': case 'Q': case 'Z': case 'E': case '1': case kVkF9: case kVkF10:
            return false;
        default:
            return true;
    }
}

bool sameInput(const JournalEvent& a, const JournalEvent& b) {
    if (isKeyMessage(a.message))
        return isKeyMessage(b.message) && isKeyDown(a.message) == isKeyDown(b.message) && keyOf(a) == keyOf(b);
    return isMouseMessage(a.message) && clientMouseMessage(a.message) == clientMouseMessage(b.message) &&
           a.paramL == b.paramL && a.paramH == b.paramH;
}

}  // namespace

RecordHook::RecordHook(platform::JournalHooks& hooks, platform::MessagePump& pump) : hooks_(hooks), pump_(pump) {}

RecordHook::~RecordHook() { remove(); }

intptr_t RecordHook::Side::call(int code, uintptr_t wParam, JournalEvent* event) {
    if (system_) return owner_.fromSystem(code, wParam, event);
    if (code == platform::kHcAction && event) owner_.fromLowLevel(*event);
    return 0;
}

bool RecordHook::install(platform::JournalProcedure& procedure) {
    if (installed()) return true;
    procedure_ = &procedure;
    systemHandle_ = systemHookUsable_ ? hooks_.installSystemHook(platform::JournalHookKind::Record, systemSide_) : 0;
    if (!systemHandle_) systemHookUsable_ = false;
    lowLevelHandle_ = hooks_.installLowLevelRecorder(lowLevelSide_);
    if (systemHandle_)
        mode_ = lowLevelHandle_ ? Mode::SystemWatched : Mode::System;
    else if (lowLevelHandle_)
        mode_ = Mode::LowLevel;
    return installed();
}

void RecordHook::remove() {
    if (systemHandle_) hooks_.removeHook(systemHandle_);
    if (lowLevelHandle_) hooks_.removeHook(lowLevelHandle_);
    systemHandle_ = lowLevelHandle_ = 0;
    mode_ = Mode::None;
    unconfirmed_.clear();
    aheadOfWitness_.clear();
    queued_.clear();
}

intptr_t RecordHook::callNext(int code, uintptr_t wParam, JournalEvent* event) {
    return systemHandle_ ? hooks_.callNextHook(systemHandle_, code, wParam, event) : 0;
}

intptr_t RecordHook::fromSystem(int code, uintptr_t wParam, JournalEvent* event) {
    if (mode_ != Mode::System && mode_ != Mode::SystemWatched) return 0;
    if (mode_ == Mode::SystemWatched && code == platform::kHcAction && event) confirm(*event);
    const uint32_t callStart = pump_.tickMs();
    ++systemCallDepth_;
    const intptr_t result = procedure_->call(code, wParam, event);
    --systemCallDepth_;
    // While its call was held up (a paused recording) the system could deliver nothing: what the
    // low-level hooks saw meanwhile gets its full time from now.
    const uint32_t now = pump_.tickMs();
    if (systemCallDepth_ == 0)
        for (Seen& seen : unconfirmed_)
            if (seen.arrived - callStart <= now - callStart) seen.arrived = now;
    return result;
}

void RecordHook::confirm(const JournalEvent& delivered) {
    auto match = std::find_if(unconfirmed_.begin(), unconfirmed_.end(),
                              [&](const Seen& seen) { return sameInput(seen.event, delivered); });
    if (match == unconfirmed_.end()) {
        if (provesDelivery(delivered)) {
            aheadOfWitness_.push_back(delivered);
            if (aheadOfWitness_.size() > kMaxAhead) aheadOfWitness_.pop_front();
        }
        return;
    }
    // Moves before the match were delivered or merged; keys and buttons before it still wait.
    std::deque<Seen> waiting;
    for (auto it = unconfirmed_.begin(); it != match; ++it)
        if (provesDelivery(it->event)) waiting.push_back(*it);
    waiting.insert(waiting.end(), match + 1, unconfirmed_.end());
    unconfirmed_.swap(waiting);
}

void RecordHook::fromLowLevel(const JournalEvent& event) {
    if (mode_ == Mode::LowLevel) {
        queued_.push_back(event);
        deliverQueued();
        return;
    }
    if (mode_ != Mode::SystemWatched) return;
    auto ahead = std::find_if(aheadOfWitness_.begin(), aheadOfWitness_.end(),
                              [&](const JournalEvent& delivered) { return sameInput(event, delivered); });
    if (ahead != aheadOfWitness_.end()) {
        aheadOfWitness_.erase(ahead);
        return;
    }
    unconfirmed_.push_back({event, pump_.tickMs()});
    if (unconfirmed_.size() > kMaxUnconfirmed) unconfirmed_.pop_front();
    if (overdue()) goOverToLowLevel();
}

void RecordHook::deliverWhatTheSystemLeftOut() {
    if (mode_ != Mode::SystemWatched || systemCallDepth_ > 0) return;
    if (std::any_of(unconfirmed_.begin(), unconfirmed_.end(), [](const Seen& seen) { return provesDelivery(seen.event); }))
        goOverToLowLevel();
}

bool RecordHook::overdue() const {
    if (systemCallDepth_ > 0) return false;
    const uint32_t now = pump_.tickMs();
    for (const Seen& seen : unconfirmed_)
        if (provesDelivery(seen.event)) return now - seen.arrived >= kUndeliveredMs;
    return false;
}

void RecordHook::goOverToLowLevel() {
    hooks_.removeHook(systemHandle_);
    systemHandle_ = 0;
    systemHookUsable_ = false;
    mode_ = Mode::LowLevel;
    for (const Seen& seen : unconfirmed_) queued_.push_back(seen.event);
    unconfirmed_.clear();
    aheadOfWitness_.clear();
    deliverQueued();
}

void RecordHook::deliverQueued() {
    // An event that arrives while an earlier one is with the procedure joins the queue this loop
    // is emptying.
    if (delivering_) return;
    delivering_ = true;
    while (mode_ == Mode::LowLevel && !queued_.empty()) {
        JournalEvent event = queued_.front();
        queued_.pop_front();
        procedure_->call(platform::kHcAction, 0, &event);
    }
    delivering_ = false;
}

}  // namespace tapmill::journal
