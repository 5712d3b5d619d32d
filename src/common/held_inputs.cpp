#include "common/held_inputs.h"

#include <algorithm>

namespace tapmill {

HeldInputs::Entry::Entry(HeldInputs& list, HeldInput& held, Player player) : list_(list), held_(held) {
    list_.runs_.push_back({&held_, player, false});
}

HeldInputs::Entry::~Entry() {
    auto& runs = list_.runs_;
    runs.erase(std::remove_if(runs.begin(), runs.end(), [this](const Run& run) { return run.held == &held_; }),
               runs.end());
}

void HeldInputs::followPause(Player player, bool paused) {
    for (Run& run : runs_) {
        if (run.player != player || run.letGo == paused) continue;
        if (paused)
            run.held->letGo();
        else
            run.held->pressAgain();
        run.letGo = paused;
    }
}

uint32_t HeldInputs::modifiersHeld() const {
    uint32_t modifiers = 0;
    for (const Run& run : runs_) modifiers |= run.held->modifiersHeld();
    return modifiers;
}

}  // namespace tapmill
