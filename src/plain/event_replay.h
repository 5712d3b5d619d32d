#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "common/held_input.h"
#include "plain/frame_event.h"

namespace tapmill {

// Injects the recorded events of one pass of a plain recording, in order, so that what replays is
// what the user did:
//
// - A double click is recorded as left down, left up, double click, left up: the mouse library
//   reports the second press of the pair as the double click. Right after a left down and up the
//   double click is that second press only; anywhere else (a recording made by hand, or one whose
//   first click fell out) it is a whole double click, two clicks.
// - Only presses are recorded, each replayed as a tap. A key pressed with modifiers held is
//   replayed inside them (Shift+a gives "A", Ctrl+S saves). The press of a modifier itself waits:
//   when a key pressed with that modifier follows within kCombinationFrames frames, it was the
//   start of that combination and is not tapped on its own; otherwise it is tapped before the next
//   event, or once the frames have passed.
// - Where the recording kept them, a key's down and up replay where they were performed, a held
//   key's repeats included, and a button goes inside the modifiers held at it (Shift+click,
//   Ctrl+click). A key still held at the end of a pass is released there.
class EventReplay {
public:
    static constexpr int kCombinationFrames = 25;  // half a second at the recorded pace

    explicit EventReplay(HeldInput& held) : held_(held) {}
    void play(const FrameEvent& event);
    // Call once per frame played, after its events.
    void endFrame();
    // Taps the modifiers still waiting; the next event is a pass's first.
    void endPass();

private:
    void pressKey(uint8_t key, uint32_t modifiers);
    // Presses the modifiers not held already and returns them, to be released in reverse order.
    std::vector<uint8_t> pressModifiers(uint32_t modifiers);
    void releaseModifiers(const std::vector<uint8_t>& pressed);
    void tapWaitingModifiers(uint32_t heldByNext, bool nextWaits);
    bool afterLeftClick() const;

    HeldInput& held_;
    FrameEvent::Kind before_[2] = {FrameEvent::None, FrameEvent::None};  // the last two events, latest last
    struct WaitingModifier {
        uint8_t key;
        uint32_t modifier;  // its platform::kMod... bit
    };
    std::vector<WaitingModifier> waiting_;
    int framesWaited_ = 0;
    std::set<uint8_t> heldDown_;  // keys the recording pressed down and has not released yet
};

}  // namespace tapmill
