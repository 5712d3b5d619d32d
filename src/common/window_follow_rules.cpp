#include "common/window_follow_rules.h"

#include <algorithm>
#include <limits>

#include "common/delay.h"

namespace tapmill {

namespace {

// How often the wait looks, and how soon a pause that ended is seen.
constexpr uint32_t kLookEveryMs = 100;
constexpr int kSliceMs = 20;

// The windows an open drop-down list or menu shows in: a click there belongs to the list.
bool isOpenListOrMenu(const platform::TopWindow& window) {
    return window.className == "ComboLBox" || window.className == "#32768";
}

}  // namespace

WaitOutcome waitUntilFound(platform::MessagePump& pump, const std::function<bool()>& stopped,
                           const std::function<bool()>& paused, std::optional<int32_t> limitMs,
                           const std::function<bool()>& found) {
    const uint64_t limit = limitMs ? static_cast<uint64_t>(std::max(*limitMs, 0)) : std::numeric_limits<uint64_t>::max();
    const std::function<bool()> going = [&stopped] { return !stopped(); };
    uint64_t waited = 0;
    uint32_t sinceLook = kLookEveryMs;
    uint32_t last = pump.tickMs();
    for (;;) {
        if (stopped()) return WaitOutcome::Stopped;
        if (!paused() && sinceLook >= kLookEveryMs) {
            if (found()) return WaitOutcome::Found;
            if (waited >= limit) return WaitOutcome::TimedOut;
            sinceLook = 0;
        }
        const bool wasPaused = paused();
        Delay(pump, kSliceMs, going);
        const uint32_t now = pump.tickMs();
        if (!wasPaused && !paused()) {
            waited += now - last;
            sinceLook += now - last;
        } else {
            // A pause that ends looks again at once.
            sinceLook = kLookEveryMs;
        }
        last = now;
    }
}

std::vector<platform::TopWindow> othersWindows(platform::TopWindows& windows,
                                               std::vector<platform::TopWindow> candidates) {
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&](const platform::TopWindow& w) { return windows.isOwnWindow(w.handle); }),
                     candidates.end());
    return candidates;
}

RaiseOutcome raiseForInput(platform::TopWindows& windows, uintptr_t window, std::optional<platform::Point> button) {
    if (!button) {
        if (windows.foregroundWindow() == window) return RaiseOutcome::InFront;
        return windows.bringToFront(window) ? RaiseOutcome::InFront : RaiseOutcome::Covered;
    }
    const std::optional<platform::TopWindow> under = windows.windowAt(button->x, button->y);
    if (under && isOpenListOrMenu(*under)) return RaiseOutcome::InFront;
    const bool reached = !under || under->handle == window;
    if (windows.foregroundWindow() == window && reached) return RaiseOutcome::InFront;
    if (!windows.bringToFront(window)) return RaiseOutcome::Covered;
    const std::optional<platform::TopWindow> afterRaise = windows.windowAt(button->x, button->y);
    return !afterRaise || afterRaise->handle == window ? RaiseOutcome::InFront : RaiseOutcome::Covered;
}

}  // namespace tapmill
