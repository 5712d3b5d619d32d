#pragma once
#include <optional>

#include "platform/input.h"
#include "platform/screen.h"

namespace tapmill {

// How near a picture comes to being on the screen, for a user trying out a picture wait: the place
// whose largest difference in any of red, green and blue over the picture's pixels is the smallest.
struct ClosestPlace {
    platform::Point topLeft;  // in the screen buffer
    int difference = 0;       // 0 to 255; 0 is an exact match
};

// The closest place, the first one row by row from the top left among equals. Nothing for an empty
// image or one larger than the screen.
std::optional<ClosestPlace> closestImagePlace(const platform::PixelBuffer& screen, const platform::PixelBuffer& image);

// The largest difference of the two colours (0x00RRGGBB) in any of red, green and blue.
int colourDifference(uint32_t a, uint32_t b);

}  // namespace tapmill
