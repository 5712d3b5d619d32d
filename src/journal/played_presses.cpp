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
    letGoKeys_.clear();
    letGoButtonReleases_.clear();
}

std::vector<JournalEvent> PlayedPresses::letGo() {
    std::map<uint8_t, JournalEvent> keys = keys_;
    std::set<uint32_t> buttonReleases = buttonReleases_;
    std::vector<JournalEvent> releases = takeReleases();
    letGoKeys_ = std::move(keys);
    letGoButtonReleases_ = std::move(buttonReleases);
    letGoX_ = x_;
    letGoY_ = y_;
    return releases;
}

std::vector<JournalEvent> PlayedPresses::pressAgain() {
    std::vector<JournalEvent> presses;
    for (const auto& [key, press] : letGoKeys_) presses.push_back(press);
    // Each button's press message comes just before its release message.
    for (uint32_t release : letGoButtonReleases_) presses.push_back({release - 1, letGoX_, letGoY_, 0, 0});
    letGoKeys_.clear();
    letGoButtonReleases_.clear();
    for (const JournalEvent& press : presses) note(press);
    return presses;
}

}  // namespace tapmill::journal
