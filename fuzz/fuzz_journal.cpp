// The journal loader on arbitrary bytes, against the profile layer that reads the same file key by
// key (the loader takes its one pass over the text with the profile layer's line rules, so the two
// must agree on every event). Checked: the table holds exactly as many events as the file's "all"
// allows, never fewer than 0 nor more than the recorder's limit; every event the file has a section
// for reads as the profile layer reads it, and a sample of the others reads as all zeros; an event
// and a count the recorder then writes into the same file load back as written.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/error.h"
#include "common/profile.h"
#include "journal/journal_file.h"
#include "platform/files.h"

namespace {

using tapmill::JournalEvent;
using tapmill::journal::kMaxJournalEvents;

[[noreturn]] void fail(const char* what, int64_t event, const std::string& detail) {
    std::fprintf(stderr, "journal fuzzer: %s (event %lld): %s\n", what, static_cast<long long>(event), detail.c_str());
    std::abort();
}

std::string describe(const JournalEvent& e) {
    return std::to_string(e.message) + "," + std::to_string(e.paramL) + "," + std::to_string(e.paramH) + "," +
           std::to_string(e.time) + "," + std::to_string(e.hwnd);
}

bool same(const JournalEvent& a, const JournalEvent& b) {
    return a.message == b.message && a.paramL == b.paramL && a.paramH == b.paramH && a.time == b.time &&
           a.hwnd == b.hwnd;
}

// The event number a section name (as the profile layer lists it, blanks around it removed) stands
// for when the profile layer is asked for that number: its decimal text exactly.
int64_t eventNumberOf(const std::string& name) {
    if (name.empty() || name.size() > 9) return -1;
    int64_t number = 0;
    for (char c : name) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return std::to_string(number) == name ? number : -1;
}

tapmill::journal::LoadedJournal checkLoad(const std::string& path, FuzzedDataProvider& in) {
    tapmill::journal::LoadedJournal loaded = tapmill::journal::loadJournal(path);
    const int32_t stated = tapmill::journal::readJournalEventCount(path);
    if (loaded.storedCount != stated)
        fail("stored count differs from the profile layer's", -1,
             std::to_string(loaded.storedCount) + " vs " + std::to_string(stated));
    const size_t expected = static_cast<size_t>(std::clamp(stated, 0, kMaxJournalEvents));
    if (loaded.events.size() != expected)
        fail("table size", -1, std::to_string(loaded.events.size()) + " for \"all\" = " + std::to_string(stated));

    // Every event the file has a section for.
    for (const std::string& section : tapmill::profile::sectionNames(path)) {
        const int64_t number = eventNumberOf(section);
        if (number < 0 || static_cast<size_t>(number) >= loaded.events.size()) continue;
        const JournalEvent byProfile = tapmill::journal::readJournalEvent(path, static_cast<int32_t>(number));
        if (!same(loaded.events[static_cast<size_t>(number)], byProfile))
            fail("loaded event differs from the profile layer's", number,
                 describe(loaded.events[static_cast<size_t>(number)]) + " vs " + describe(byProfile));
    }
    // A few events anywhere in the table, most of them without a section: they read as zeros.
    for (int probe = 0; probe < 8 && !loaded.events.empty(); ++probe) {
        const size_t number = in.ConsumeIntegralInRange<size_t>(0, loaded.events.size() - 1);
        const JournalEvent byProfile = tapmill::journal::readJournalEvent(path, static_cast<int32_t>(number));
        if (!same(loaded.events[number], byProfile))
            fail("probed event differs from the profile layer's", static_cast<int64_t>(number),
                 describe(loaded.events[number]) + " vs " + describe(byProfile));
    }
    return loaded;
}

// What the recorder does next to whatever the file held: one event and the count.
void checkRecordedEventLoadsBack(const std::string& path, FuzzedDataProvider& in) {
    const int32_t number = in.ConsumeIntegralInRange<int32_t>(0, 64);
    JournalEvent event;
    event.message = in.ConsumeIntegral<uint32_t>();
    event.paramL = in.ConsumeIntegral<int32_t>();
    event.paramH = in.ConsumeIntegral<int32_t>();
    event.time = in.ConsumeIntegral<uint32_t>();
    event.hwnd = in.ConsumeIntegral<uint32_t>();
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(number + 1, number + 100);
    try {
        tapmill::journal::writeJournalEvent(path, number, 0, 0, event);
        tapmill::journal::writeJournalEventCount(path, count);
    } catch (const tapmill::Error& e) {
        fail("write failed", number, e.what());  // the folder is writable: no write may fail
    }
    tapmill::journal::LoadedJournal loaded = checkLoad(path, in);
    if (loaded.storedCount != count) fail("written count", number, std::to_string(loaded.storedCount));
    if (!same(loaded.events[static_cast<size_t>(number)], event))
        fail("written event", number, describe(loaded.events[static_cast<size_t>(number)]) + " vs " + describe(event));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    FuzzedDataProvider in(data, size);
    // A new file each run, so that the profile layer's cache never mistakes one run's file for another's.
    const std::string path =
        "/tmp/tapmill_fuzz_journal_" + std::to_string(getpid()) + "_" + std::to_string(runs++ % 64) + ".ini";
    tapmill::files::removeFile(path);
    std::ofstream(path, std::ios::binary) << in.ConsumeRandomLengthString(8192);
    checkLoad(path, in);
    checkRecordedEventLoadsBack(path, in);
    tapmill::files::removeFile(path);
    return 0;
}
