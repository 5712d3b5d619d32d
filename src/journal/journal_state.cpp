#include "journal/journal_state.h"

namespace tapmill::journal {

JournalState::JournalState(platform::JournalHooks& hooks, platform::MessagePump& pump, platform::Dialogs& dialogs)
    : recordHook(hooks, pump),
      recorder(recordHook, pump, dialogs),
      playbackHook(hooks, pump),
      player(current, playbackHook, pump) {}

int32_t JournalState::load(const std::string& path) {
    current.file = path;
    LoadedJournal loaded = loadJournal(path);
    current.table = std::move(loaded.events);
    return loaded.storedCount;
}

}  // namespace tapmill::journal
