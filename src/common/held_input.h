#pragma once
#include <cstdint>
#include <set>

#include "platform/input.h"

namespace tapmill {

// Injects buttons and keys and remembers which of them it left pressed, so that a run that is
// stopped between a press and its release can let go of them instead of leaving the desktop with
// a button or key held down.
class HeldInput {
public:
    explicit HeldInput(platform::Input& input) : input_(input) {}
    void mouse(uint32_t flags);
    void key(uint8_t virtualKey, uint8_t scanCode, uint32_t flags);
    // Releases, in reverse order of kind (keys, then buttons), whatever is still held.
    void releaseAll();
    bool anyHeld() const { return left_ || right_ || !keys_.empty(); }

private:
    platform::Input& input_;
    bool left_ = false;
    bool right_ = false;
    std::set<uint8_t> keys_;
};

}  // namespace tapmill
