#include "common/image_closeness.h"

#include <algorithm>
#include <cstdlib>

#include "common/image_search.h"

namespace tapmill {

int colourDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16})
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

namespace {

// The place's largest difference, or `limit` as soon as it reaches it: a place no better than the
// best so far is left at its first such pixel, which keeps the search of a whole screen short.
int placeDifference(const platform::PixelBuffer& screen, const platform::PixelBuffer& image, int left, int top,
                    int limit) {
    int largest = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            largest = std::max(largest, colourDifference(screen.at(left + x, top + y), image.at(x, y)));
            if (largest >= limit) return limit;
        }
    return largest;
}

}  // namespace

std::optional<ClosestPlace> closestImagePlace(const platform::PixelBuffer& screen, const platform::PixelBuffer& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > screen.width || image.height > screen.height)
        return std::nullopt;
    // An exact match is what a wait finds first: the quick search finds it.
    if (const std::optional<platform::Point> exact = findImage(screen, image, 0)) return ClosestPlace{*exact, 0};
    ClosestPlace best{{0, 0}, 256};
    for (int top = 0; top + image.height <= screen.height; ++top)
        for (int left = 0; left + image.width <= screen.width; ++left) {
            const int difference = placeDifference(screen, image, left, top, best.difference);
            if (difference < best.difference) best = {{left, top}, difference};
        }
    return best;
}

}  // namespace tapmill
