#pragma once

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
};

}  // namespace tapmill::platform
