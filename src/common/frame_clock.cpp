#include "common/frame_clock.h"

#include "common/delay.h"

namespace tapmill {

FrameClock::FrameClock(platform::MessagePump& pump, int32_t periodMs, int32_t catchUpMs)
    : pump_(pump), period_(static_cast<uint32_t>(periodMs > 0 ? periodMs : 0)), catchUpMs_(catchUpMs),
      due_(pump.tickMs() + period_) {}

void FrameClock::waitForFrame() {
    const bool always = true;
    waitForFrame(always);
}

void FrameClock::waitForFrame(const bool& going) {
    // Milliseconds until the due time on the wrapping clock; negative once it has passed.
    const int32_t wait = static_cast<int32_t>(due_ - pump_.tickMs());
    if (wait > 0)
        Delay(pump_, wait, going);
    else
        pump_.processPendingMessages();
    // The messages dispatched on the way may have held the thread (a nested run, a dialog).
    const uint32_t now = pump_.tickMs();
    if (static_cast<int32_t>(now - due_) > catchUpMs_) due_ = now;
}

void FrameClock::restart() { due_ = pump_.tickMs(); }

}  // namespace tapmill
