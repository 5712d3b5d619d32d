#pragma once
#include <algorithm>
#include <vector>

#include "platform/top_windows.h"

namespace tapmill::fake {

// A desktop of windows the test lays out (front to back) and changes over virtual time.
class FakeTopWindows : public platform::TopWindows {
public:
    std::vector<platform::TopWindow> visibleWindows() override {
        ++searches;
        return windows;
    }
    // Moves the window to the front, unless the test has the system refuse it.
    bool bringToFront(uintptr_t handle) override {
        broughtToFront.push_back(handle);
        auto it = std::find_if(windows.begin(), windows.end(),
                               [&](const platform::TopWindow& w) { return w.handle == handle; });
        if (it == windows.end() || refuseFront) return false;
        std::rotate(windows.begin(), it, it + 1);
        return true;
    }

    std::vector<platform::TopWindow> windows;
    bool refuseFront = false;
    std::vector<uintptr_t> broughtToFront;
    int searches = 0;
};

}  // namespace tapmill::fake
