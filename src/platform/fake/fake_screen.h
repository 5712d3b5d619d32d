#pragma once
#include <algorithm>
#include <new>
#include <vector>

#include "platform/screen.h"

namespace tapmill::fake {

// A screen of pixels the test paints. It starts black, 1920 × 1080 at the origin.
class FakeScreen : public platform::Screen {
public:
    FakeScreen() { resize({0, 0, 1920, 1080}); }

    platform::ScreenRect virtualScreen() override { return area; }
    platform::Grab grab(const platform::ScreenRect& wanted, platform::PixelBuffer& into) override {
        ++grabs;
        bufferSizesGiven.push_back(into.pixels.size());
        if (outOfMemory) throw std::bad_alloc();
        held = true;
        const int left = std::max(wanted.left, area.left), top = std::max(wanted.top, area.top);
        const int right = std::min(wanted.left + wanted.width, area.left + area.width);
        const int bottom = std::min(wanted.top + wanted.height, area.top + area.height);
        if (refuse || right <= left || bottom <= top) return platform::Grab::Nothing;
        const std::vector<uint32_t> held = into.width == right - left && into.height == bottom - top
                                               ? into.pixels : std::vector<uint32_t>();
        into.width = right - left;
        into.height = bottom - top;
        into.pixels.resize(static_cast<size_t>(into.width) * static_cast<size_t>(into.height));
        for (int y = top; y < bottom; ++y)
            std::copy_n(&canvas.pixels[index(left, y)], into.width,
                        &into.pixels[static_cast<size_t>(y - top) * static_cast<size_t>(into.width)]);
        return into.pixels == held ? platform::Grab::Same : platform::Grab::New;
    }

    void release() override { held = false; }

    // A new, black screen over this rectangle.
    void resize(const platform::ScreenRect& to) {
        area = to;
        canvas.width = to.width;
        canvas.height = to.height;
        canvas.pixels.assign(static_cast<size_t>(to.width) * static_cast<size_t>(to.height), 0);
    }
    // Paints a rectangle (screen coordinates, clipped to the screen) in one colour.
    void fill(const platform::ScreenRect& rect, uint32_t colour) {
        for (int y = std::max(rect.top, area.top); y < std::min(rect.top + rect.height, area.top + area.height); ++y)
            for (int x = std::max(rect.left, area.left); x < std::min(rect.left + rect.width, area.left + area.width); ++x)
                canvas.pixels[index(x, y)] = colour;
    }
    // Paints a picture with its top left at the screen point, clipped to the screen.
    void paste(int left, int top, const platform::PixelBuffer& picture) {
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (area.contains(left + x, top + y)) canvas.pixels[index(left + x, top + y)] = picture.at(x, y);
    }

    platform::ScreenRect area;
    platform::PixelBuffer canvas;
    bool refuse = false;  // the system gives no picture, as on a locked desktop
    int grabs = 0;
    // The size of the buffer each grab was given, as it came.
    std::vector<size_t> bufferSizesGiven;
    // The system's memory cannot hold a picture.
    bool outOfMemory = false;
    // Between a grab and release: what a real screen keeps of its last grab.
    bool held = false;

private:
    size_t index(int x, int y) const {
        return static_cast<size_t>(y - area.top) * static_cast<size_t>(area.width) + static_cast<size_t>(x - area.left);
    }
};

}  // namespace tapmill::fake
