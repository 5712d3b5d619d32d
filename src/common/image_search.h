#pragma once
#include <optional>

#include "platform/input.h"
#include "platform/screen.h"

namespace tapmill {

// Where a picture stands in a grab of the screen. The search reads both buffers in place and
// allocates nothing, so it costs no memory beyond the grab itself.

// Whether two colours differ by at most `tolerance` in each of red, green and blue.
bool coloursMatch(uint32_t a, uint32_t b, int tolerance);

// The top left, in the screen buffer, of the first place (row by row from the top left) that
// shows the image exactly; failing that, when the tolerance is above 0, of the first place whose
// every pixel is within the tolerance per channel. Nothing for an empty image or one larger than
// the screen.
std::optional<platform::Point> findImage(const platform::PixelBuffer& screen, const platform::PixelBuffer& image,
                                         int tolerance);

}  // namespace tapmill
