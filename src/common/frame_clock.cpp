#include "plain/frame_clock.h"

#include "common/delay.h"

namespace tapmill {

FrameClock::FrameClock(platform::MessagePump& pump, int periodMs)
    : pump_(pump), period_(static_cast<uint32_t>(periodMs)), due_(pump.tickMs() + period_) {}

void FrameClock::waitForFrame() {
    // Milliseconds until the due time on the wrapping clock; negative once it has passed.
    const int32_t wait = static_cast<int32_t>(due_ - pump_.tickMs());
    if (wait > 0)
        Delay(pump_, wait);
    else
        pump_.processPendingMessages();
}

void FrameClock::restart() { due_ = pump_.tickMs(); }

}  // namespace tapmill
