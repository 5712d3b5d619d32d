#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/input.h"
#include "platform/pump.h"
#include "platform/top_windows.h"

namespace tapmill {

// The rules every replay that follows a window keeps, the plain player's and a script's alike: how
// it waits for its window, which windows can be its window, and when the window comes to the front
// before an input.

enum class WaitOutcome { Found, TimedOut, Stopped };

// Looks for something on the desktop a few times a second until `found` says it is there, the limit
// has passed (none: no limit), or `stopped` says so. Like every loop of the program it waits in Delay,
// so the window and the hot keys answer while it waits; a stop ends it at once. While `paused` says
// so it neither looks nor counts the time, so nothing it finds then acts while the pause shows.
WaitOutcome waitUntilFound(platform::MessagePump& pump, const std::function<bool()>& stopped,
                           const std::function<bool()>& paused, std::optional<int32_t> limitMs,
                           const std::function<bool()>& found);

// The windows without this program's own (the main window, the editor, the state indicator, its
// notices and message boxes), which are never the window of a recording or a script line.
std::vector<platform::TopWindow> othersWindows(platform::TopWindows& windows,
                                               std::vector<platform::TopWindow> candidates);

enum class RaiseOutcome { InFront, Covered };

// Before an input for the window: a button at `button`, or a key without one. The window comes to
// the front where the input would not reach it otherwise: for a key when another window has the
// keyboard, for a button when another window has the input or lies over the place. A place in an
// open drop-down list or menu raises nothing, since the raise would close it. Covered when the
// system keeps the window behind or another window (one kept on top) still lies over the place.
RaiseOutcome raiseForInput(platform::TopWindows& windows, uintptr_t window, std::optional<platform::Point> button);

}  // namespace tapmill
