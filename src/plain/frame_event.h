#pragma once
#include <cstdint>
#include <string>

namespace tapmill {

// The input event stored with a frame of a plain recording (key "kp").
struct FrameEvent {
    enum Kind { None, LeftDown, LeftUp, RightDown, RightUp, LeftDoubleClick, Key, BadKey };
    Kind kind = None;
    int32_t key = 0;  // Key: the virtual-key number after "k"
};

// Exact, case-sensitive texts; "k" followed by a number is a key; "k" followed by anything else is
// a fault of the file; every other text, the default "0" included, is no event.
FrameEvent decodeFrameEvent(const std::string& text);

}  // namespace tapmill
