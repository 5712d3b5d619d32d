#include "plain/frame_clock.h"

#include "common/delay.h"

namespace tapmill {

namespace {

// Milliseconds from now until `time` on the wrapping clock; negative once it has passed.
int32_t until(platform::MessagePump& pump, uint32_t time) { return static_cast<int32_t>(time - pump.tickMs()); }

}  // namespace

FrameClock::FrameClock(platform::MessagePump& pump, int periodMs)
    : pump_(pump), period_(static_cast<uint32_t>(periodMs)), due_(pump.tickMs() + period_) {}

void FrameClock::waitForFrame() {
    const int32_t wait = until(pump_, due_);
    if (wait > 0)
        Delay(pump_, wait);
    else
        pump_.processPendingMessages();
}

void FrameClock::nextFrame() {
    due_ += period_;
    if (until(pump_, due_) <= 0) due_ = pump_.tickMs() + period_;
}

}  // namespace tapmill
