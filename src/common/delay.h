#pragma once
#include <functional>

#include "platform/pump.h"

namespace tapmill {

// The program's one wait: returns once at least ms milliseconds have passed on the pump's clock
// (32-bit wrapping arithmetic), dispatching every message that arrives meanwhile, so clicks, hot
// keys, timers and hook messages are handled re-entrantly inside the caller's loop. It blocks in
// the message wait instead of spinning. Zero and negative waits return at once, touching nothing.
void Delay(platform::MessagePump& pump, int ms);
// The same wait for a loop that can be stopped: it also returns as soon as a message dispatched
// during it has turned `going` false, so a stop ends a long wait at once instead of after it.
void Delay(platform::MessagePump& pump, int ms, const bool& going);
// The same for a loop whose stop is a question rather than a flag.
void Delay(platform::MessagePump& pump, int ms, const std::function<bool()>& going);

}  // namespace tapmill

namespace tapmill {

// Holds the system's fine timer resolution while a loop runs.
class FineTimingScope {
public:
    explicit FineTimingScope(platform::MessagePump& pump) : pump_(pump) { pump_.beginFineTiming(); }
    ~FineTimingScope() { pump_.endFineTiming(); }
    FineTimingScope(const FineTimingScope&) = delete;
    FineTimingScope& operator=(const FineTimingScope&) = delete;

private:
    platform::MessagePump& pump_;
};

}  // namespace tapmill
