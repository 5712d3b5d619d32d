#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "capture/key_chord.h"
#include "platform/journal_hooks.h"

namespace tapmill::journal {

// Keeps the journal's own hot keys out of a recording: the presses of the combinations they
// have (F10, Alt+W, Alt+Q and Alt+Z unless the user chose others; played back, the pause key
// would pause the very playback and the play key start another), and every release whose press
// the recording does not hold, such as the release of W and Alt after the Alt+W that started it.
// Modifier state is what the recording itself has seen.
class HotKeyFilter {
public:
    enum class Verdict {
        Record,
        Skip,
        // A hot-key press: skipped, and the modifier presses recorded right before it should go too.
        SkipHotKey,
    };

    // `number` is the event number the event gets if it is recorded.
    Verdict judge(const JournalEvent& event, int32_t number);
    // The events from `number` on were taken out of the journal again: the releases of the keys
    // they pressed are skipped as well.
    void forgetFrom(int32_t number);
    // Starts over with nothing held, leaving out the presses of these combinations.
    void reset(std::vector<KeyChord> hotKeys);

private:
    bool held(uint8_t key) const { return held_.count(key) > 0; }
    bool isHotKeyPress(uint8_t key) const;

    std::vector<KeyChord> hotKeys_;
    std::set<uint8_t> held_;
    // Keys the recording holds a press of, with the event number of that press.
    std::map<uint8_t, int32_t> recorded_;
};

}  // namespace tapmill::journal
