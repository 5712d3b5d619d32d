#pragma once
#include <cstdint>
#include <string>

#include "journal/journal_player.h"
#include "journal/journal_recorder.h"
#include "journal/playback_hook.h"
#include "journal/record_hook.h"
#include "platform/dialogs.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// What the journal panel works with: the current journal, and the recorder and the player with
// their hooks. The main window holds one for the whole run.
class JournalState {
public:
    JournalState(platform::JournalHooks& hooks, platform::MessagePump& pump, platform::Dialogs& dialogs);

    // Makes the journal file at path current and fills the table with its events; gives the
    // count the file states (which the table holds up to kMaxJournalEvents of).
    int32_t load(const std::string& path);

    CurrentJournal current;
    RecordHook recordHook;
    JournalRecorder recorder;
    PlaybackHook playbackHook;
    JournalPlayer player;
};

}  // namespace tapmill::journal
