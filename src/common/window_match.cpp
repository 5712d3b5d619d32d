#include "common/window_match.h"

#include <algorithm>
#include <cmath>

namespace tapmill {

namespace {

const std::string kSeparator = " - ";

bool beginsWith(const std::string& text, const std::string& start) {
    return !start.empty() && text.compare(0, start.size(), start) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return !end.empty() && text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Titles of one program differ in the document they show, before the last " - " or after the
// first; a title without a separator may gain a suffix ("目标 (2)").
bool sameProgram(const std::string& title, const std::string& named) {
    const size_t last = named.rfind(kSeparator);
    if (last == std::string::npos) return beginsWith(title, named);
    const size_t first = named.find(kSeparator);
    return endsWith(title, named.substr(last)) || beginsWith(title, named.substr(0, first + kSeparator.size()));
}

}  // namespace

std::optional<platform::TopWindow> chooseNamedWindow(const std::vector<platform::TopWindow>& ofClass,
                                                     const std::string& title, bool titleIsStart) {
    for (const platform::TopWindow& window : ofClass)
        if (titleIsStart ? beginsWith(window.title, title) || title.empty() : window.title == title) return window;
    for (const platform::TopWindow& window : ofClass)
        if (sameProgram(window.title, title)) return window;
    return std::nullopt;
}

std::optional<platform::TopWindow> findNamedWindow(platform::TopWindows& windows, const std::string& className,
                                                   const std::string& title, bool titleIsStart) {
    if (!titleIsStart) {
        std::optional<platform::TopWindow> exact = windows.frontWindowTitled(className, title);
        if (exact && !windows.isOwnWindow(exact->handle)) return exact;
    }
    std::vector<platform::TopWindow> ofClass = windows.windowsOfClass(className);
    ofClass.erase(std::remove_if(ofClass.begin(), ofClass.end(),
                                 [&](const platform::TopWindow& w) { return windows.isOwnWindow(w.handle); }),
                  ofClass.end());
    return chooseNamedWindow(ofClass, title, titleIsStart);
}

int drawnDpi(platform::DpiAwareness awareness, int windowDpi, int monitorDpi) {
    return awareness == platform::DpiAwareness::PerMonitor || monitorDpi <= 0 ? windowDpi : monitorDpi;
}

platform::Point mapIntoWindow(int clientX, int clientY, int recordedDpi, const platform::WindowPlace& place) {
    const double scale = recordedDpi > 0 && place.dpi > 0 ? static_cast<double>(place.dpi) / recordedDpi : 1.0;
    return {place.client.left + static_cast<int>(std::lround(clientX * scale)),
            place.client.top + static_cast<int>(std::lround(clientY * scale))};
}

std::optional<platform::WindowPlace> placeRestoring(platform::TopWindows& windows, uintptr_t handle) {
    const std::optional<platform::WindowPlace> place = windows.placeOf(handle);
    if (place || !windows.bringToFront(handle)) return place;
    return windows.placeOf(handle);
}

platform::Point mapOutOfWindow(platform::Point screen, int recordedDpi, const platform::WindowPlace& place) {
    const double scale = recordedDpi > 0 && place.dpi > 0 ? static_cast<double>(recordedDpi) / place.dpi : 1.0;
    return {static_cast<int>(std::lround((screen.x - place.client.left) * scale)),
            static_cast<int>(std::lround((screen.y - place.client.top) * scale))};
}

}  // namespace tapmill
