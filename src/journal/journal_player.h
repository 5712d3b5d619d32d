#pragma once
#include <cstdint>
#include <string>

#include "journal/journal_file.h"
#include "journal/playback_hook.h"
#include "journal/played_presses.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// The journal the player plays: its file, from which each pass takes its count, and its events.
struct CurrentJournal {
    std::string file;
    JournalTable table;
};

// Hands the current journal's events to the playback hook, pass after pass, with the recorded
// gaps scaled by the speed.
class JournalPlayer : public platform::JournalProcedure {
public:
    JournalPlayer(CurrentJournal& journal, PlaybackHook& hook, platform::MessagePump& pump);

    // Takes the passes, the speed and the endless mode; installs the hook for a first pass unless
    // a playback runs, which goes on with them. True when it installed the hook.
    bool start(int32_t passes, int speed, bool endlessMode = false);
    // Ends a playback in progress, hook and all, and lets go of the keys and buttons its events
    // pressed and did not release.
    void stop();
    // To be called when `paused` may have changed: a paused playback lets go of the keys and buttons
    // its events hold, so the user's own input meanwhile is not made inside them, and presses them
    // again when it goes on.
    void followPause();
    // What a show of the main window does: ends the playback and clears the pause. The endless mode
    // is left to the next start, which takes it from whoever starts.
    void endOnShow();

    intptr_t JournalPlaybackProc(int code, uintptr_t wParam, JournalEvent* event);
    intptr_t call(int code, uintptr_t wParam, JournalEvent* event) override {
        return JournalPlaybackProc(code, wParam, event);
    }

    // The recorded gap from `earlier` to `later` (ticks, so a counter that wrapped between them
    // still gives the true gap) scaled by (31 - 3 * speed) / 16 toward zero: 1.9375 at speed 0,
    // 1 at speed 5, 1/16 at speed 10, nothing from speed 11 on (common/speed.h bounds the slow end).
    static uint32_t scaledGap(uint32_t earlier, uint32_t later, int speed);

    bool playing = false;  // while a playback hook is installed
    bool paused = false;   // toggled with the recorder's by the pause button
    bool endless = false;  // taken at the start, followed by the endless box, read at the end of each pass
    int32_t position = 0;  // the event being handed over
    int32_t eventCount = 0;
    int32_t passesLeft = 0;
    int32_t passesAsked = 0;  // as the start took them: the pass under way is passesAsked - passesLeft + 1
    int speed = 5;
    // Set by HC_SKIP, consumed by the next HC_GETNEXT; only the program's start clears it.
    bool pendingDelay = false;
    // Between HC_SYSMODALON and HC_SYSMODALOFF the system plays nothing.
    bool systemModal = false;

private:
    // The events of this pass that the table holds.
    int32_t playableCount() const;
    int32_t readEventCount() const;
    uint32_t delayBefore(int32_t event) const;
    void endPassIfDone();

    CurrentJournal& journal_;
    PlaybackHook& hook_;
    platform::MessagePump& pump_;
    PlayedPresses pressed_;
    bool letGo_ = false;  // what the playback holds is let go for a pause
};

}  // namespace tapmill::journal
