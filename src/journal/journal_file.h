#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/journal_hooks.h"

// A journal on disk: an INI file of one section per event, named by the event number from "0"
// on, each with the keys "iCode", "wParam", "message", "paramL", "paramH", "time" and "hwnd", and
// a last section "end" whose key "all" holds the number of events. Every value is a signed
// 32-bit decimal, so a handle or tick count of 2^31 or more is stored negative and reads back as
// the same 32 bits. Whatever is missing or no number reads as 0; "0x" values are hexadecimal.
namespace tapmill::journal {

// The table's room for a journal the recorder made: the recorder stops at this many events.
inline constexpr int32_t kMaxJournalEvents = 1000000;

// The events of a loaded journal, in order.
using JournalTable = std::vector<JournalEvent>;

void writeJournalEvent(const std::string& path, int32_t number, int32_t code, int32_t wParam,
                       const JournalEvent& event);
void writeJournalEventCount(const std::string& path, int32_t count);
// "all" of "end": the number of events the recorder wrote, or 0.
int32_t readJournalEventCount(const std::string& path);
// One event read back through the profile layer (cheap for the file being recorded).
JournalEvent readJournalEvent(const std::string& path, int32_t number);

struct LoadedJournal {
    int32_t storedCount = 0;  // "all" of "end" as the file states it
    JournalTable events;
};
// Reads events 0 to n - 1 in one pass over the file, n being the stored count (none below 0,
// at most kMaxJournalEvents). A missing file, and one larger than profile::kMaxFileBytes (which
// the recorder never writes), is a journal of no events.
LoadedJournal loadJournal(const std::string& path);

}  // namespace tapmill::journal
