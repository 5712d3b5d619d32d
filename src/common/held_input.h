#pragma once
#include <cstdint>
#include <set>

#include "platform/input.h"

namespace tapmill {

// Injects buttons and keys and remembers which of them it left pressed, so that a run that is
// stopped between a press and its release can let go of them instead of leaving the desktop with
// a button or key held down.
//
// Every key goes out with its virtual-key code, the scan code the keyboard layout gives it and the
// extended flag of the keys that have one, as a real keyboard sends it: programs that read scan
// codes (games through DirectInput or raw input, remote-desktop clients) see the key too.
class HeldInput {
public:
    explicit HeldInput(platform::Input& input) : input_(input) {}
    void mouse(uint32_t flags);
    void wheel(int32_t delta) { note(input_.mouseWheel(delta)); }
    // A character typed as itself; it holds nothing.
    void type(char16_t unit) { note(input_.typeCharacter(unit)); }
    // flags: 0 for a press, platform::kKeyEventKeyUp for a release.
    void key(uint8_t virtualKey, uint32_t flags);
    // Releases, in reverse order of kind (keys, then buttons), whatever is still held.
    void releaseAll();
    // A pause lets go of what is held, so that the user's own clicks and keys meanwhile are not
    // made inside a replayed Shift or button; the resume presses it again, keys first, a button
    // where it was let go.
    void letGo();
    void pressAgain();
    // The modifiers (platform::kMod...) of the keys held down now.
    uint32_t modifiersHeld() const;
    bool anyHeld() const { return left_ || right_ || middle_ || !keys_.empty(); }
    bool keyHeld(uint8_t virtualKey) const { return keys_.count(virtualKey) > 0; }
    // Why the system took none of an injection, the first one it refused; None while it took all.
    platform::InputRefusal refusal() const { return refusal_; }

private:
    void note(platform::InputRefusal refusal) {
        if (refusal_ == platform::InputRefusal::None) refusal_ = refusal;
    }

    platform::Input& input_;
    bool left_ = false;
    bool right_ = false;
    bool middle_ = false;
    std::set<uint8_t> keys_;
    // What the last letGo released, until pressAgain.
    struct LetGo {
        bool left = false, right = false, middle = false;
        std::set<uint8_t> keys;
        platform::Point at;
    };
    LetGo letGo_;
    platform::InputRefusal refusal_ = platform::InputRefusal::None;
};

}  // namespace tapmill
