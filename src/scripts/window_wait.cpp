#include "scripts/window_wait.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/delay.h"

namespace tapmill::scripts {

namespace {

// How often the desktop's windows are looked through, and how soon Stop and Pause are seen.
constexpr int kLookEveryMs = 100;
constexpr int kSliceMs = 20;

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool holds(const std::string& title, const std::string& part) {
    return std::search(title.begin(), title.end(), part.begin(), part.end(),
                       [](char a, char b) { return asciiLower(a) == asciiLower(b); }) != title.end();
}

}  // namespace

std::optional<platform::TopWindow> chooseWindow(const std::vector<platform::TopWindow>& windows,
                                                const std::string& titlePart) {
    for (const platform::TopWindow& window : windows)
        if (holds(window.title, titlePart)) return window;
    return std::nullopt;
}

bool WindowWait::found(const std::string& title, bool activate) {
    std::optional<platform::TopWindow> window = chooseWindow(platform_.topWindows.visibleWindows(), title);
    return window && (!activate || platform_.topWindows.bringToFront(window->handle));
}

WindowWait::Outcome WindowWait::wait(const WindowLine& line, bool activate) {
    return waitUntil(line.limitSeconds, [&] { return found(line.title, activate); });
}

WindowWait::Outcome WindowWait::waitUntil(std::optional<int32_t> limitSeconds, const std::function<bool()>& found) {
    const uint64_t limitMs = limitSeconds ? static_cast<uint64_t>(*limitSeconds) * 1000u
                                          : std::numeric_limits<uint64_t>::max();
    uint64_t waitedMs = 0;
    uint32_t last = platform_.pump.tickMs();
    for (;;) {
        if (!running_) return Outcome::Stopped;
        if (!runpause_) {
            if (found()) return Outcome::Found;
            if (waitedMs >= limitMs) return Outcome::TimedOut;
        }
        for (int slice = 0; slice < kLookEveryMs / kSliceMs && running_; ++slice) {
            Delay(platform_.pump, kSliceMs);
            const uint32_t now = platform_.pump.tickMs();
            if (!runpause_) waitedMs += now - last;
            last = now;
        }
    }
}

}  // namespace tapmill::scripts
