#include "plain/window_anchor.h"

#include <cmath>
#include <optional>

#include "common/delay.h"
#include "common/window_match.h"

namespace tapmill {

namespace {

constexpr int kLookAgainMs = 100;

// The system's menus and the list of an open drop-down box close when another window is raised.
bool closesWhenRaised(const std::string& className) { return className == "#32768" || className == "ComboLBox"; }

}  // namespace

bool WindowAnchor::anchorTo(const WindowNote& note, platform::Point recorded) {
    const std::optional<platform::TopWindow> window =
        findNamedWindow(windows_, note.className, note.title, note.titleIsStart);
    if (!window) return false;
    const std::optional<platform::WindowPlace> place = placeRestoring(windows_, window->handle);
    if (!place) return false;
    anchored_ = true;
    window_ = window->handle;
    keyboard_ = note.keyboard;
    raisable_ = !closesWhenRaised(window->className);
    recordedAt_ = recorded;
    placedAt_ = mapIntoWindow(note.clientX, note.clientY, note.dpi, *place);
    scale_ = note.dpi > 0 && place->dpi > 0 ? static_cast<double>(place->dpi) / note.dpi : 1.0;
    return true;
}

bool WindowAnchor::follow(const WindowNote& note, platform::Point recorded, const std::function<bool()>& stopped,
                          const std::function<bool()>& paused) {
    uint32_t waited = 0;
    while (!anchorTo(note, recorded)) {
        if (stopped() || waited >= static_cast<uint32_t>(kWaitMs)) return false;
        const uint32_t before = pump_.tickMs();
        const bool wasPaused = paused();
        Delay(pump_, kLookAgainMs);
        if (!wasPaused) waited += pump_.tickMs() - before;
    }
    return !stopped();
}

platform::Point WindowAnchor::place(platform::Point recorded) const {
    if (!anchored_) return recorded;
    return {placedAt_.x + static_cast<int>(std::lround((recorded.x - recordedAt_.x) * scale_)),
            placedAt_.y + static_cast<int>(std::lround((recorded.y - recordedAt_.y) * scale_))};
}

void WindowAnchor::bringToFront(platform::Point where) {
    if (!anchored_ || !raisable_) return;
    if (keyboard_) {
        if (windows_.foregroundWindow() != window_) windows_.bringToFront(window_);
        return;
    }
    // Having the input is not enough: another window kept on top, or one the system has not yet
    // put behind, can still be where the click lands.
    const std::optional<platform::TopWindow> under = windows_.windowAt(where.x, where.y);
    if (windows_.foregroundWindow() != window_ || (under && under->handle != window_)) windows_.bringToFront(window_);
}

}  // namespace tapmill
