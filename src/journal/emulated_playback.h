#pragma once
#include <cstdint>

#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

class PlaybackHook;

// Plays a journal playback procedure's events the way the system plays a playback hook: asks for
// the next event with HC_GETNEXT, and while the answer is a delay waits it and asks again; once
// the answer is 0 injects the event and moves on with HC_SKIP. Like the system it is driven from
// the message loop, by the ticks of the platform's playback clock, so it plays on beside a
// recording, a playback or a script run that loops in some handler, and holds no loop of its own.
// One event is played per tick, so the window's messages come between any two events.
//
// Gaps are kept on a time line rather than counted from each injection, so the time injection
// itself takes does not add up over a journal. Time the procedure holds a call (a pause) moves
// the line on; a line left far behind (the program was busy) starts again from the present
// instead of racing through the missed events.
//
// An event the system takes none of ends the tick without HC_SKIP and goes to the hook's
// onInputRefused once the tick is over.
class EmulatedPlayback : public platform::PlaybackTicks {
public:
    EmulatedPlayback(PlaybackHook& hook, platform::JournalHooks& system, platform::MessagePump& pump);
    ~EmulatedPlayback() override;
    EmulatedPlayback(const EmulatedPlayback&) = delete;
    EmulatedPlayback& operator=(const EmulatedPlayback&) = delete;

    // A playback begins: the first event is asked for at the next tick, and Ctrl+Esc ends it.
    // While it runs (a pass that begins again within a tick) this keeps its time line.
    void begin();
    // No more ticks; Ctrl+Esc is the system's again.
    void end();
    bool running() const { return running_; }
    // Inside a tick: a hook removed now may be installed again before the tick is over.
    bool ticking() const { return ticking_; }

    void onTick() override;

private:
    // Asks for the next event and plays it if it is due; false when this tick is over.
    bool step();
    uint64_t now();

    PlaybackHook& hook_;
    platform::JournalHooks& system_;
    platform::MessagePump& pump_;
    bool running_ = false;
    bool ticking_ = false;
    // The pump's 32-bit clock widened, so that waits of up to 2^32 - 1 ms compare.
    uint32_t lastTick_ = 0;
    uint64_t wideNow_ = 0;
    uint64_t line_ = 0;  // when the last event was due
    // An answered delay being waited out: the same event is asked for again at `due_`.
    bool waiting_ = false;
    uint64_t due_ = 0;
    // The system took none of the event just sent.
    platform::InputRefusal refusal_ = platform::InputRefusal::None;
};

}  // namespace tapmill::journal
