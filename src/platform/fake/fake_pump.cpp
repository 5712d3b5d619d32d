#include "platform/fake/fake_pump.h"

namespace tapmill::fake {

uint64_t FakePump::at(uint64_t time, std::function<void()> fn) {
    queue_.emplace(std::make_pair(time, sequence_), std::move(fn));
    return sequence_++;
}

void FakePump::cancel(uint64_t scheduled) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->first.second == scheduled) {
            queue_.erase(it);
            return;
        }
    }
}

void FakePump::processPendingMessages() {
    // Each event is taken off the queue before it runs, so a nested wait inside its handler
    // dispatches only the events after it.
    while (!queue_.empty() && queue_.begin()->first.first <= now_) {
        std::function<void()> fn = std::move(queue_.begin()->second);
        queue_.erase(queue_.begin());
        ++dispatched_;
        fn();
    }
}

void FakePump::waitForMessages(uint32_t maxMs) {
    uint64_t until = now_ + maxMs;
    if (!queue_.empty() && queue_.begin()->first.first < until) until = queue_.begin()->first.first;
    if (until > now_) now_ = until;
}

int FakePump::runMessageLoop() {
    while (!queue_.empty()) {
        waitForMessages(UINT32_MAX);
        processPendingMessages();
    }
    return 0;
}

}  // namespace tapmill::fake
