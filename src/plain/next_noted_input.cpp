#include "plain/next_noted_input.h"

#include <algorithm>

#include "plain/frame_step.h"

namespace tapmill {

std::optional<NextNotedInput::Found> NextNotedInput::after(int32_t frame, int32_t frameCount) {
    if (found_ && found_->frame > frame) return found_;
    found_.reset();
    const int32_t last = std::min(frame + kHorizonFrames, frameCount - 1);
    for (int32_t next = std::max(readUpTo_ + 1, frame + 1); next <= last; ++next) {
        readUpTo_ = next;
        const RecordedFrame recorded = readRecordedFrame(path_, next);
        if (!hasInput(recorded)) continue;
        if (std::optional<WindowNote> note = readWindowNote(path_, std::to_string(next))) {
            found_ = Found{next, recorded.position, *note};
            return found_;
        }
    }
    return std::nullopt;
}

}  // namespace tapmill
