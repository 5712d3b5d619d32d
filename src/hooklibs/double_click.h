#pragma once
#include <cstdint>
#include <cstdlib>

namespace tapmill::hooklibs {

// Tells a left double click from a single press the way the system does for windows: a second
// left press within the double-click time of the first and inside the double-click rectangle
// centred on it. A third press starts afresh, and a right press in between breaks the pair.
class DoubleClickDetector {
public:
    struct Limits {
        uint32_t maxIntervalMs;  // GetDoubleClickTime()
        int width, height;       // SM_CXDOUBLECLK, SM_CYDOUBLECLK
    };

    // `time` is the event's millisecond stamp (wrapping). True when this press completes a double click.
    bool leftPress(uint32_t time, int x, int y, const Limits& limits) {
        const bool second = havePress_ && time - lastTime_ <= limits.maxIntervalMs &&
                            std::abs(x - lastX_) <= limits.width / 2 && std::abs(y - lastY_) <= limits.height / 2;
        havePress_ = !second;
        lastTime_ = time;
        lastX_ = x;
        lastY_ = y;
        return second;
    }
    void otherButtonPress() { havePress_ = false; }
    void reset() { havePress_ = false; }

private:
    bool havePress_ = false;
    uint32_t lastTime_ = 0;
    int lastX_ = 0, lastY_ = 0;
};

}  // namespace tapmill::hooklibs
