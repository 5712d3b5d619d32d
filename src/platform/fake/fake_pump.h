#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/pump.h"

namespace tapmill::fake {

// A message pump on a virtual clock. Tests schedule events (a click, a hot key, a hook message)
// at virtual times; a wait advances the clock to the next event or the end of the wait, and the
// events that fall due are dispatched as messages would be, possibly re-entrantly.
class FakePump : public platform::MessagePump {
public:
    explicit FakePump(uint32_t startTick = 1000) : now_(startTick) {}

    uint32_t tickMs() override { return static_cast<uint32_t>(now_); }
    void processPendingMessages() override;
    void waitForMessages(uint32_t maxMs) override;
    // Dispatches every scheduled event in time order until none is left.
    int runMessageLoop() override;

    // Schedules fn at virtual time (the current time's 64-bit base plus the given offset); gives
    // the number by which cancel takes it back.
    uint64_t at(uint64_t time, std::function<void()> fn);
    uint64_t after(uint32_t ms, std::function<void()> fn) { return at(now_ + ms, std::move(fn)); }
    void cancel(uint64_t scheduled);
    // A message posted now: dispatched at the next processing.
    void post(std::function<void()> fn) { at(now_, std::move(fn)); }

    uint64_t now() const { return now_; }
    void advance(uint32_t ms) { now_ += ms; }
    size_t pendingCount() const { return queue_.size(); }
    size_t dispatchedCount() const { return dispatched_; }
    int fineTimingDepth() const { return fineTiming_; }
    void beginFineTiming() override { ++fineTiming_; }
    void endFineTiming() override { --fineTiming_; }

private:
    uint64_t now_;
    uint64_t sequence_ = 0;
    size_t dispatched_ = 0;
    int fineTiming_ = 0;
    // Ordered by due time, then by the order of scheduling.
    std::map<std::pair<uint64_t, uint64_t>, std::function<void()>> queue_;
};

}  // namespace tapmill::fake
