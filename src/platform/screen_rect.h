#pragma once
#include <algorithm>

namespace tapmill::platform {

// A rectangle on the virtual screen, in physical pixels; left and top may be negative where a
// monitor lies left of or above the primary one.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool contains(int x, int y) const { return x >= left && y >= top && x < left + width && y < top + height; }
    bool operator==(const ScreenRect& other) const {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
    bool empty() const { return width <= 0 || height <= 0; }
};

// The part the two rectangles share; empty when they do not meet.
inline ScreenRect intersection(const ScreenRect& a, const ScreenRect& b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.left + a.width, b.left + b.width), bottom = std::min(a.top + a.height, b.top + b.height);
    return right <= left || bottom <= top ? ScreenRect{} : ScreenRect{left, top, right - left, bottom - top};
}

}  // namespace tapmill::platform
