#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "capture/key_chord.h"
#include "journal/hotkey_filter.h"
#include "journal/journal_file.h"
#include "journal/record_hook.h"
#include "platform/dialogs.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// Writes the desktop's input, event by event as the record hook delivers it, into a journal
// file: each event is on disk once its call returns, and only the count depends on the stop.
class JournalRecorder : public platform::JournalProcedure {
public:
    // At eventLimit events the hook goes and further input is not recorded; the stop still ends
    // the recording as usual.
    JournalRecorder(RecordHook& hook, platform::MessagePump& pump, platform::Dialogs& dialogs,
                    int32_t eventLimit = kMaxJournalEvents);

    // Starts a recording into target from event 0, deleting what the file held; the presses of
    // hotKeys (the journal's own hot keys as they are set) are left out. While a hook is still
    // held (a second start) it starts over with that hook instead of installing another.
    // False, with nothing changed, when the system grants no hook at all.
    bool start(const std::string& target, std::vector<KeyChord> hotKeys);
    // Lets go of the hook and writes the count. False, touching no file, when no hook is held.
    bool stop();

    intptr_t JournalRecordProc(int code, uintptr_t wParam, JournalEvent* event);
    intptr_t call(int code, uintptr_t wParam, JournalEvent* event) override {
        return JournalRecordProc(code, wParam, event);
    }

    bool hookHeld() const { return hookHeld_; }
    int32_t eventCount() const { return counter_; }

    // Set by the start, cleared by the stop and by every show of the main window.
    bool recording = false;
    // Toggled with the player's by the pause button; a paused recording holds the next event.
    bool paused = false;
    // Told when a failed write ended the recording, so that what shows it can say it has ended.
    std::function<void()> onEndedByFailure;

private:
    void record(int code, uintptr_t wParam, const JournalEvent& event);
    void endAfterWriteFailure(const std::string& failure);
    // Writes the events that arrived and have not been written yet, oldest first.
    void writeHeld();
    // A journal must not end with a modifier held down: the Alt of the Alt+Q that stopped it, say.
    void eraseTrailingModifierPresses();

    RecordHook& hook_;
    platform::MessagePump& pump_;
    platform::Dialogs& dialogs_;
    const int32_t eventLimit_;
    HotKeyFilter filter_;
    std::string target_;
    int32_t counter_ = 0;
    // From the start until the stop, even after the hook itself went at the event limit.
    bool hookHeld_ = false;
    struct Held {
        int code;
        uintptr_t wParam;
        JournalEvent event;
    };
    // Events whose calls still wait in the pause, in the order they arrived.
    std::deque<Held> held_;
};

}  // namespace tapmill::journal
