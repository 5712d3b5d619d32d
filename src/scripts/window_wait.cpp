#include "scripts/window_wait.h"

#include <algorithm>

namespace tapmill::scripts {

namespace {

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
    platform::TopWindows& windows = platform_.topWindows;
    std::optional<platform::TopWindow> window = chooseWindow(othersWindows(windows, windows.visibleWindows()), title);
    return window && (!activate || platform_.topWindows.bringToFront(window->handle));
}

WaitOutcome WindowWait::wait(const WindowLine& line, bool activate) {
    return pollUntil(platform_.pump, running_, runpause_, line.end.limitSeconds,
                     [&] { return found(line.title, activate); });
}

}  // namespace tapmill::scripts
