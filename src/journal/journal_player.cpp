#include "journal/journal_player.h"

#include <algorithm>
#include <limits>

#include "common/delay.h"
#include "common/speed.h"

namespace tapmill::journal {

namespace {

constexpr int kPauseCheckMs = 20;

}  // namespace

JournalPlayer::JournalPlayer(CurrentJournal& journal, PlaybackHook& hook, platform::MessagePump& pump)
    : journal_(journal), hook_(hook), pump_(pump) {}

uint32_t JournalPlayer::scaledGap(uint32_t earlier, uint32_t later, int speed) {
    const uint32_t gap = later - earlier;
    const int64_t scaled = static_cast<int64_t>(gap) * journalGapSixteenths(speed) / 16;
    return static_cast<uint32_t>(scaled);
}

bool JournalPlayer::start(int32_t passes, int newSpeed, bool endlessMode) {
    passesLeft = passes;
    passesAsked = passes;
    speed = newSpeed;
    endless = endlessMode;
    if (playing) return false;
    pressed_.forget();
    playing = true;
    position = 0;
    eventCount = readEventCount();
    hook_.install(*this);
    return true;
}

void JournalPlayer::stop() {
    if (hook_.installed()) hook_.remove();
    playing = false;
    letGo_ = false;
    for (const JournalEvent& release : pressed_.takeReleases()) hook_.inject(release);
}

void JournalPlayer::followPause() {
    const bool pause = paused && playing;
    if (pause == letGo_) return;
    letGo_ = pause;
    for (const JournalEvent& event : pause ? pressed_.letGo() : pressed_.pressAgain()) hook_.inject(event);
}

void JournalPlayer::endOnShow() {
    stop();
    paused = false;
}

int32_t JournalPlayer::readEventCount() const { return std::max(0, readJournalEventCount(journal_.file)); }

int32_t JournalPlayer::playableCount() const {
    return std::min(eventCount, static_cast<int32_t>(journal_.table.size()));
}

uint32_t JournalPlayer::delayBefore(int32_t event) const {
    // The wait before an event is the recorded gap since the one before it. The first event of a
    // pass has none before it and waits as long as the gap after it.
    const int32_t earlier = event > 0 ? event - 1 : 0;
    const int32_t later = event > 0 ? event : 1;
    if (later >= playableCount()) return 0;
    return scaledGap(journal_.table[static_cast<size_t>(earlier)].time,
                     journal_.table[static_cast<size_t>(later)].time, speed);
}

intptr_t JournalPlayer::JournalPlaybackProc(int code, uintptr_t wParam, JournalEvent* event) {
    intptr_t result = 0;
    if (code < 0) {
        result = hook_.callNext(code, wParam, event);
    } else if (code == platform::kHcSysModalOn) {
        systemModal = true;
    } else if (code == platform::kHcSysModalOff) {
        systemModal = false;
    } else if (code == platform::kHcGetNext && !systemModal) {
        if (pendingDelay) {
            pendingDelay = false;
            // The low 32 bits, as the system reads a hook's answer.
            result = static_cast<intptr_t>(delayBefore(position));
        }
        while (paused) Delay(pump_, kPauseCheckMs);
        if (event && position >= 0 && position < playableCount()) *event = journal_.table[static_cast<size_t>(position)];
    } else if (code == platform::kHcSkip && !systemModal) {
        pendingDelay = true;
        // HC_SKIP follows the event's HC_GETNEXT once it was played.
        if (hook_.installed() && position >= 0 && position < playableCount())
            pressed_.note(journal_.table[static_cast<size_t>(position)]);
        ++position;
    }
    endPassIfDone();
    return result;
}

void JournalPlayer::endPassIfDone() {
    // A call that comes after the hook went belongs to no pass.
    if (!hook_.installed() || position < playableCount()) return;
    hook_.remove();
    playing = false;
    if (passesLeft > std::numeric_limits<int32_t>::min()) --passesLeft;
    if (passesLeft < 1 && !endless) return pressed_.forget();
    eventCount = readEventCount();
    // Passes over a journal with nothing to play would follow one another without end.
    if (playableCount() == 0) return pressed_.forget();
    playing = true;
    position = 0;
    hook_.install(*this);
}

}  // namespace tapmill::journal
