#include "common/delay.h"

namespace tapmill {

void Delay(platform::MessagePump& pump, int ms) {
    const bool always = true;
    Delay(pump, ms, always);
}

void Delay(platform::MessagePump& pump, int ms, const bool& going) {
    Delay(pump, ms, [&going] { return going; });
}

void Delay(platform::MessagePump& pump, int ms, const std::function<bool()>& going) {
    if (ms <= 0 || !going()) return;
    const uint32_t wait = static_cast<uint32_t>(ms);
    const uint32_t start = pump.tickMs();
    for (;;) {
        uint32_t elapsed = pump.tickMs() - start;
        if (elapsed >= wait) return;
        pump.processPendingMessages();
        if (!going()) return;
        elapsed = pump.tickMs() - start;
        if (elapsed >= wait) return;
        pump.waitForMessages(wait - elapsed);
    }
}

}  // namespace tapmill
