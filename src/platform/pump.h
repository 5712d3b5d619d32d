#pragma once
#include <cstdint>

namespace tapmill::platform {

// The user-interface thread's millisecond clock and message queue. Every wait of the program goes
// through Delay (common/delay.h), which uses only these three calls.
class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Milliseconds on a monotonic clock; wraps at 2^32.
    virtual uint32_t tickMs() = 0;
    // Dispatches every message that is pending now, each to its handler (which may run a nested Delay).
    virtual void processPendingMessages() = 0;
    // Blocks until a message arrives or maxMs milliseconds pass, whichever comes first.
    virtual void waitForMessages(uint32_t maxMs) = 0;
    // The outermost message loop: dispatches until the program is told to quit; gives the exit code.
    virtual int runMessageLoop() = 0;
    // Asks for a finer system timer while a loop runs; called in pairs.
    virtual void beginFineTiming() {}
    virtual void endFineTiming() {}
};

}  // namespace tapmill::platform
