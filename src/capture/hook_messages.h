#pragma once
#include <cstdint>

namespace tapmill {

// The mouse library's messages to the main window: the base the recorder starts it with, plus
// the offset of each button transition.
inline constexpr uint32_t kMouseMessageBase = 1152;
enum MouseMessageOffset : uint32_t {
    kMouseLeftDownOffset = 0,
    kMouseLeftUpOffset = 1,
    kMouseRightDownOffset = 2,
    kMouseRightUpOffset = 3,
    kMouseLeftDoubleClickOffset = 4,
};

}  // namespace tapmill
