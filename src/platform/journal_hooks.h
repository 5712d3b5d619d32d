#pragma once
#include <cstdint>

#include "platform/input.h"

namespace tapmill {

// One input event as the system's journal hooks hand it over: the fields and the order of
// EVENTMSG in the 32-bit program. For mouse messages paramL and paramH are the screen position;
// for key messages paramL holds the virtual key in its low byte and the scan code in the next,
// and bit 15 of paramH marks an extended key.
struct JournalEvent {
    uint32_t message = 0;
    int32_t paramL = 0;
    int32_t paramH = 0;
    uint32_t time = 0;  // the system's millisecond tick count when the event happened
    uint32_t hwnd = 0;  // the window it was aimed at (window handles have 32 bits in this program)
};
static_assert(sizeof(JournalEvent) == 20, "JournalEvent keeps the layout of EVENTMSG");

}  // namespace tapmill

namespace tapmill::platform {

// The codes a journal hook procedure is called with.
enum JournalHookCode : int {
    kHcAction = 0,
    kHcGetNext = 1,
    kHcSkip = 2,
    kHcNoRemove = 3,
    kHcSysModalOn = 4,
    kHcSysModalOff = 5,
};

// What a journal hook calls, always on the thread that installed the hook. `event` is the
// EVENTMSG of the call (null for codes that carry none); a playback procedure fills it in.
class JournalProcedure {
public:
    virtual ~JournalProcedure() = default;
    virtual intptr_t call(int code, uintptr_t wParam, JournalEvent* event) = 0;
};

enum class JournalHookKind { Record, Playback };

// What the clock of a playback the program drives itself calls.
class PlaybackTicks {
public:
    virtual ~PlaybackTicks() = default;
    virtual void onTick() = 0;
};

// The desktop-wide input hooks of the journal recorder and player, and the input injection of a
// playback the program drives itself.
class JournalHooks {
public:
    virtual ~JournalHooks() = default;
    // WH_JOURNALRECORD or WH_JOURNALPLAYBACK for all threads; 0 when the system refuses it.
    virtual uintptr_t installSystemHook(JournalHookKind kind, JournalProcedure& procedure) = 0;
    // Low-level mouse and keyboard hooks that hand every input event of the desktop to procedure,
    // on this thread, as HC_ACTION calls with the record a journal record hook would get. The
    // hooks themselves only queue the event, so a procedure that waits never stalls the desktop's
    // input. 0 when the system refuses them.
    virtual uintptr_t installLowLevelRecorder(JournalProcedure& procedure) = 0;
    // Removes a hook that either install call gave.
    virtual void removeHook(uintptr_t handle) = 0;
    virtual intptr_t callNextHook(uintptr_t handle, int code, uintptr_t wParam, JournalEvent* event) = 0;
    // Plays one event into the desktop (SendInput): a mouse event at its recorded position with its
    // button, or a key down or up. Tells whether the system took it.
    virtual InputRefusal sendEvent(const JournalEvent& event) = 0;

    // What the system does for its own playback hook, for a playback the program drives itself.
    // Calls ticks.onTick() once, from this thread's message loop (whichever loop runs it), ms
    // milliseconds from now to the millisecond; 0 calls it once the messages pending now are
    // handled. A tick asked for replaces one still pending.
    virtual void tickAfter(uint32_t ms, PlaybackTicks& ticks) = 0;
    virtual void cancelTick() = 0;
    // While watched, a Ctrl+Esc the user presses (not one a playback injects) goes no further and
    // posts WM_CANCELJOURNAL to this thread, as the system does when Ctrl+Esc takes its own
    // playback hook away. Unwatched, Ctrl+Esc is the system's (its Start menu).
    virtual void watchCancelKey(bool on) = 0;
};

}  // namespace tapmill::platform
