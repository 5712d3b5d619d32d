#include "plain/window_anchor.h"

#include <cmath>
#include <optional>

#include "common/window_follow_rules.h"
#include "common/window_match.h"

namespace tapmill {

bool WindowAnchor::anchorTo(const WindowNote& note, platform::Point recorded) {
    const std::optional<platform::TopWindow> window =
        findNamedWindow(windows_, note.className, note.title, note.titleIsStart);
    if (!window) return false;
    const std::optional<platform::WindowPlace> place = placeRestoring(windows_, window->handle);
    if (!place) return false;
    anchored_ = true;
    window_ = window->handle;
    keyboard_ = note.keyboard;
    recordedAt_ = recorded;
    placedAt_ = mapIntoWindow(note.clientX, note.clientY, note.dpi, *place);
    scale_ = note.dpi > 0 && place->dpi > 0 ? static_cast<double>(place->dpi) / note.dpi : 1.0;
    return true;
}

bool WindowAnchor::follow(const WindowNote& note, platform::Point recorded, const std::function<bool()>& stopped,
                          const std::function<bool()>& paused) {
    return waitUntilFound(pump_, stopped, paused, kWaitMs, [&] { return anchorTo(note, recorded); }) ==
           WaitOutcome::Found;
}

platform::Point WindowAnchor::place(platform::Point recorded) const {
    if (!anchored_) return recorded;
    return {placedAt_.x + static_cast<int>(std::lround((recorded.x - recordedAt_.x) * scale_)),
            placedAt_.y + static_cast<int>(std::lround((recorded.y - recordedAt_.y) * scale_))};
}

void WindowAnchor::bringToFront(platform::Point where) {
    if (!anchored_) return;
    // The plain replay goes on where the system keeps the window behind, as it always has: the
    // refused input is told by the injector.
    raiseForInput(windows_, window_, keyboard_ ? std::nullopt : std::optional<platform::Point>(where));
}

}  // namespace tapmill
