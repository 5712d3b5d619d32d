#pragma once
#include <cstdint>
#include <vector>

#include "common/held_input.h"

namespace tapmill {

// The held input of every run that replays into the desktop now (nested runs included), by the
// player that runs it: a pause of that player lets go of what its runs hold and its resume presses
// it again, and the keyboard's reports can be told from the modifiers the program holds itself.
class HeldInputs {
public:
    enum Player { Plain, Script };

    // Keeps a run's held input listed while the run lasts.
    class Entry {
    public:
        Entry(HeldInputs& list, HeldInput& held, Player player);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

    private:
        HeldInputs& list_;
        HeldInput& held_;
    };

    // Lets go of what the player's runs hold when paused, and presses it again when not; a run
    // already in that state is left as it is, so it may be called whenever a pause flag may have
    // changed.
    void followPause(Player player, bool paused);
    // The modifiers (platform::kMod...) the runs hold down.
    uint32_t modifiersHeld() const;

private:
    struct Run {
        HeldInput* held;
        Player player;
        bool letGo;
    };
    std::vector<Run> runs_;
};

}  // namespace tapmill
