#include "journal/played_presses.h"

#include "journal/input_messages.h"

namespace tapmill::journal {

void PlayedPresses::note(const JournalEvent& event) {
    if (isKeyMessage(event.message)) {
        if (isKeyDown(event.message))
            keys_[keyOf(event)] = event;
        else
            keys_.erase(keyOf(event));
        return;
    }
    if (!isMouseMessage(event.message)) return;
    x_ = event.paramL;
    y_ = event.paramH;
    if (!isButtonMessage(event.message)) return;
    const uint32_t message = clientMouseMessage(event.message);
    // Each button's release message follows its press message.
    if (message == kWmLButtonDown || message == kWmRButtonDown || message == kWmMButtonDown)
        buttonReleases_.insert(message + 1);
    else
        buttonReleases_.erase(message);
}

std::vector<JournalEvent> PlayedPresses::takeReleases() {
    std::vector<JournalEvent> releases;
    for (const auto& [key, press] : keys_) releases.push_back({kWmKeyUp, press.paramL, press.paramH, press.time, press.hwnd});
    for (uint32_t release : buttonReleases_) releases.push_back({release, x_, y_, 0, 0});
    forget();
    return releases;
}

void PlayedPresses::forget() {
    keys_.clear();
    buttonReleases_.clear();
}

}  // namespace tapmill::journal
