#include "common/image_search.h"

#include <cstdlib>

namespace tapmill {

namespace {

int channelGap(uint32_t a, uint32_t b, int shift) {
    return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

int largestChannelGap(uint32_t a, uint32_t b) {
    const int red = channelGap(a, b, 16), green = channelGap(a, b, 8), blue = channelGap(a, b, 0);
    return red > green ? (red > blue ? red : blue) : (green > blue ? green : blue);
}

struct Exact {
    bool operator()(uint32_t a, uint32_t b) const { return a == b; }
};

struct Within {
    int tolerance;
    bool operator()(uint32_t a, uint32_t b) const { return largestChannelGap(a, b) <= tolerance; }
};

// Two pixels of the image that most places fail on at once: the top left one, and the one whose
// colour is farthest from it. Where the screen is one flat colour (as most of a desktop is) and the
// image begins with that colour, the second one rejects the place.
struct Anchors {
    int farX = 0;
    int farY = 0;
};

Anchors chooseAnchors(const platform::PixelBuffer& image) {
    Anchors anchors;
    const uint32_t first = image.pixels[0];
    int farthest = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const int gap = largestChannelGap(first, image.at(x, y));
            if (gap > farthest) {
                farthest = gap;
                anchors.farX = x;
                anchors.farY = y;
            }
        }
    return anchors;
}

template <typename Match>
bool imageAt(const platform::PixelBuffer& screen, const platform::PixelBuffer& image, int left, int top, Match match) {
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* shown = &screen.pixels[static_cast<size_t>(top + y) * static_cast<size_t>(screen.width) + static_cast<size_t>(left)];
        const uint32_t* wanted = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width)];
        for (int x = 0; x < image.width; ++x)
            if (!match(shown[x], wanted[x])) return false;
    }
    return true;
}

template <typename Match>
std::optional<platform::Point> search(const platform::PixelBuffer& screen, const platform::PixelBuffer& image,
                                      const Anchors& anchors, Match match) {
    const uint32_t first = image.pixels[0];
    const uint32_t far = image.at(anchors.farX, anchors.farY);
    const size_t farOffset = static_cast<size_t>(anchors.farY) * static_cast<size_t>(screen.width) + static_cast<size_t>(anchors.farX);
    const int lastLeft = screen.width - image.width, lastTop = screen.height - image.height;
    for (int top = 0; top <= lastTop; ++top) {
        const uint32_t* row = &screen.pixels[static_cast<size_t>(top) * static_cast<size_t>(screen.width)];
        for (int left = 0; left <= lastLeft; ++left) {
            if (!match(row[left], first) || !match(row[left + farOffset], far)) continue;
            if (imageAt(screen, image, left, top, match)) return platform::Point{left, top};
        }
    }
    return std::nullopt;
}

}  // namespace

bool coloursMatch(uint32_t a, uint32_t b, int tolerance) { return largestChannelGap(a, b) <= tolerance; }

std::optional<platform::Point> findImage(const platform::PixelBuffer& screen, const platform::PixelBuffer& image,
                                         int tolerance) {
    if (image.width <= 0 || image.height <= 0 || image.width > screen.width || image.height > screen.height)
        return std::nullopt;
    const Anchors anchors = chooseAnchors(image);
    if (std::optional<platform::Point> exact = search(screen, image, anchors, Exact{})) return exact;
    if (tolerance <= 0) return std::nullopt;
    return search(screen, image, anchors, Within{tolerance});
}

}  // namespace tapmill
