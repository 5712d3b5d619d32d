#pragma once
#include <cstdint>
#include <vector>

#include "platform/screen_rect.h"

namespace tapmill::platform {

// A picture of part of the screen: width × height pixels row by row from the top left, each
// 0x00RRGGBB.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// What a grab gave: no picture, or one the buffer held already (as a screen that stayed still
// gives), or a new one.
enum class Grab { Nothing, Same, New };

// What the screen shows.
class Screen {
public:
    virtual ~Screen() = default;
    // The virtual screen: the rectangle that holds every monitor.
    virtual ScreenRect virtualScreen() = 0;
    // Copies what the screen shows in the area (clipped to the virtual screen) into the buffer,
    // which takes the clipped size. Nothing, with the buffer as it was, when the system gives no
    // picture (a locked or secure desktop) or nothing of the area is on the screen.
    // Throws std::bad_alloc when the memory cannot hold the picture.
    virtual Grab grab(const ScreenRect& area, PixelBuffer& into) = 0;
    // Lets go of what the grabs keep from one to the next (a bitmap of the last size grabbed), as a
    // whole screen's worth is much memory to hold between waits.
    virtual void release() = 0;
};

}  // namespace tapmill::platform
