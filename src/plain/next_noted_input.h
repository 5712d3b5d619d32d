#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "plain/window_note.h"
#include "platform/input.h"

namespace tapmill {

// The frames of a plain recording between two inputs are the pointer's path to the second one, so
// they take the place of the window the second one's note names. This finds, for a frame, the next
// frame with input and a note, looking no further than kHorizonFrames ahead: a pointer resting
// longer than that plays where it was. Each frame is read at most once however many ask.
class NextNotedInput {
public:
    static constexpr int32_t kHorizonFrames = 250;  // five seconds at the recorded pace

    struct Found {
        int32_t frame;
        platform::Point position;  // where it was recorded
        WindowNote note;
    };

    explicit NextNotedInput(std::string path) : path_(std::move(path)) {}
    // The first frame after `frame`, and before `frameCount`, with input and a note.
    std::optional<Found> after(int32_t frame, int32_t frameCount);

private:
    std::string path_;
    int32_t readUpTo_ = -1;  // the frames up to this one are read
    std::optional<Found> found_;
};

}  // namespace tapmill
