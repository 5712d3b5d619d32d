#pragma once
#include "journal/playback_hook.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// Plays a journal playback procedure's events the way the system plays a playback hook: asks for
// the next event with HC_GETNEXT, and while the answer is a delay waits it and asks again; once
// the answer is 0 injects the event and moves on with HC_SKIP. It runs while the hook stays
// installed (a pass that ends and begins again keeps it running) and waits through Delay, so
// the window, its hot keys and a show stay alive during the playback.
//
// Gaps are kept on a time line rather than counted from each injection, so the time injection
// itself takes does not add up over a journal. Time the procedure holds a call (a pause) moves
// the line on; a line left far behind (the program was busy) starts again from the present
// instead of racing through the missed events.
void runEmulatedPlayback(PlaybackHook& hook, platform::JournalHooks& output, platform::MessagePump& pump);

}  // namespace tapmill::journal
