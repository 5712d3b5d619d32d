#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/journal_hooks.h"

namespace tapmill::journal {

// The keys and mouse buttons that the events a playback handed over pressed and have not released
// yet, and where they last put the pointer: a playback ended between a press and its release lets
// go of them there, instead of leaving the desktop with a button or key held down.
class PlayedPresses {
public:
    void note(const JournalEvent& event);
    // The releases, keys first and then buttons, each button's at the pointer's last position; and
    // from then on nothing is held.
    std::vector<JournalEvent> takeReleases();
    // What a playback that ran to its end leaves pressed is the journal's own doing.
    void forget();
    // A pause lets go of what is held (the releases, as takeReleases gives them) and keeps it for
    // the resume, which presses it again: the keys, then each button where the pointer was.
    std::vector<JournalEvent> letGo();
    std::vector<JournalEvent> pressAgain();

private:
    std::map<uint8_t, JournalEvent> keys_;  // each key's press, by the key
    std::set<uint32_t> buttonReleases_;     // the release message of each button held
    int32_t x_ = 0;
    int32_t y_ = 0;
    // What letGo released, until pressAgain or forget.
    std::map<uint8_t, JournalEvent> letGoKeys_;
    std::set<uint32_t> letGoButtonReleases_;
    int32_t letGoX_ = 0;
    int32_t letGoY_ = 0;
};

}  // namespace tapmill::journal
