#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "common/window_match.h"
#include "platform/top_windows.h"

namespace tapmill::fake {

// A desktop of windows the test lays out (front to back) and changes over virtual time. A window
// has a place on the screen only where the test gives it one in places; the front window has the
// input.
class FakeTopWindows : public platform::TopWindows {
public:
    std::vector<platform::TopWindow> visibleWindows() override {
        ++searches;
        return windows;
    }
    std::vector<platform::TopWindow> windowsOfClass(const std::string& className) override {
        ++searches;
        std::vector<platform::TopWindow> ofClass;
        for (const platform::TopWindow& w : windows)
            if (w.className == className) ofClass.push_back(w);
        return ofClass;
    }
    std::optional<platform::TopWindow> frontWindowTitled(const std::string& className,
                                                         const std::string& title) override {
        ++searches;
        for (const platform::TopWindow& w : windows)
            if (w.className == className && w.title == title) return w;
        return std::nullopt;
    }
    // The frontmost window whose frame (where the test gives one) or client area holds the point.
    std::optional<platform::TopWindow> windowAt(int x, int y) override {
        for (const platform::TopWindow& w : windows) {
            auto frame = frames.find(w.handle);
            if (frame != frames.end() && frame->second.contains(x, y)) return w;
            auto place = places.find(w.handle);
            if (place != places.end() && place->second.client.contains(x, y)) return w;
        }
        return std::nullopt;
    }
    uintptr_t windowHandleAt(int x, int y) override {
        const std::optional<platform::TopWindow> window = windowAt(x, y);
        return window ? window->handle : 0;
    }
    std::optional<platform::TopWindow> windowOf(uintptr_t handle) override {
        const platform::TopWindow* window = find(handle);
        return window ? std::optional<platform::TopWindow>(*window) : std::nullopt;
    }
    std::optional<platform::WindowPlace> placeOf(uintptr_t handle) override {
        auto place = places.find(handle);
        if (place == places.end() || !find(handle) || minimised.count(handle)) return std::nullopt;
        platform::WindowPlace drawn = place->second;
        drawn.dpi = drawnDpi(drawn.awareness, drawn.dpi, drawn.monitorDpi);
        return drawn;
    }
    uintptr_t foregroundWindow() override {
        if (inputWindow) return inputWindow;
        return windows.empty() ? 0 : windows.front().handle;
    }
    uintptr_t focusWindow() override { return focus ? focus : foregroundWindow(); }
    bool hasHigherRights(uintptr_t handle) override { return higherRights.count(handle) > 0; }
    // Moves the window to the front, behind the topmost windows unless it is one, and gives it the
    // input, unless the test has the system refuse it.
    bool bringToFront(uintptr_t handle) override {
        broughtToFront.push_back(handle);
        if (onBringToFront) onBringToFront(handle);
        auto it = std::find_if(windows.begin(), windows.end(),
                               [&](const platform::TopWindow& w) { return w.handle == handle; });
        if (it == windows.end() || refuseFront) return false;
        const platform::TopWindow raised = *it;
        windows.erase(it);
        auto front = topmost.count(handle)
                         ? windows.begin()
                         : std::find_if(windows.begin(), windows.end(),
                                        [&](const platform::TopWindow& w) { return !topmost.count(w.handle); });
        windows.insert(front, raised);
        inputWindow = handle;
        minimised.erase(handle);
        return true;
    }

    bool isOwnWindow(uintptr_t handle) override { return ownWindows.count(handle) > 0; }

    std::vector<platform::TopWindow> windows;
    std::set<uintptr_t> ownWindows;
    std::map<uintptr_t, platform::WindowPlace> places;
    // The whole window with its title bar and borders, where it reaches beyond the client area.
    std::map<uintptr_t, platform::ScreenRect> frames;
    // Windows kept above all others: a raised window goes behind them.
    std::set<uintptr_t> topmost;
    // Windows with no place on the screen until they are brought to the front, which restores them.
    std::set<uintptr_t> minimised;
    bool refuseFront = false;
    // The window with the input when the test sets it apart from the front one, which then covers
    // it without having the input (as one kept on top does); bringToFront gives it to the raised one.
    uintptr_t inputWindow = 0;
    // The window with the keyboard focus when the test sets it apart from the foreground window.
    uintptr_t focus = 0;
    // Windows of programs that run with higher rights than this one.
    std::set<uintptr_t> higherRights;
    std::vector<uintptr_t> broughtToFront;
    // Called at each bringToFront, for a test that looks at what came before it.
    std::function<void(uintptr_t)> onBringToFront;
    int searches = 0;

private:
    const platform::TopWindow* find(uintptr_t handle) const {
        for (const platform::TopWindow& w : windows)
            if (w.handle == handle) return &w;
        return nullptr;
    }
};

}  // namespace tapmill::fake
