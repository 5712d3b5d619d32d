#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/top_windows.h"

namespace tapmill {

// Which of the windows of a class (front to back) is the one a recording or a script line names:
// the frontmost with the same title, else the frontmost whose title shares the part that names
// the program ("a.txt - 记事本" and "b.txt - 记事本", "记事本 - a.txt" and "记事本 - b.txt"), or,
// for a title without " - ", begins with it. With titleIsStart the named title is only the start
// of the window's (what a recording could store of it), and a title that begins so is the same.
std::optional<platform::TopWindow> chooseNamedWindow(const std::vector<platform::TopWindow>& ofClass,
                                                     const std::string& title, bool titleIsStart = false);

// The window a recording or a script line names, as chooseNamedWindow chooses it among the windows
// of its class, this program's own left out. The frontmost with that very title, the common case, is
// asked of the system directly, which is quick however many windows are open; the others are looked
// at only without one.
std::optional<platform::TopWindow> findNamedWindow(platform::TopWindows& windows, const std::string& className,
                                                   const std::string& title, bool titleIsStart = false);

// Where the window's client area is on the screen now. A minimised window has none there: it is
// restored first, as the user would before clicking into it.
std::optional<platform::WindowPlace> placeRestoring(platform::TopWindows& windows, uintptr_t handle);

// The DPI a window's pixels on the screen are at: the DPI it draws for when it draws per monitor;
// otherwise the system stretches what it draws to its monitor's DPI (where that is known).
int drawnDpi(platform::DpiAwareness awareness, int windowDpi, int monitorDpi);

// Where a point recorded at (clientX, clientY) in a client area drawn for recordedDpi lies on the
// screen now that the window's client area is at place: the same place in the client area, scaled
// by the ratio of the DPIs and rounded to the nearest pixel.
platform::Point mapIntoWindow(int clientX, int clientY, int recordedDpi, const platform::WindowPlace& place);
// The other way: the client position at recordedDpi of a screen point in the window.
platform::Point mapOutOfWindow(platform::Point screen, int recordedDpi, const platform::WindowPlace& place);

}  // namespace tapmill
