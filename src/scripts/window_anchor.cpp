#include "scripts/window_anchor.h"

#include "common/window_match.h"
#include "scripts/script_fault.h"

namespace tapmill::scripts {

namespace {

const char kWindowGone[] = "限时内没有等到这个窗口";
const char kWindowNotInFront[] = "没能把这个窗口调到前面";

}  // namespace

bool WindowAnchor::find(Anchored& anchored) {
    platform::TopWindows& windows = platform_.topWindows;
    const AnchorLine& line = anchored.line;
    const std::optional<platform::TopWindow> window =
        line.className.empty() ? chooseWindow(windows.visibleWindows(), line.title)
                               : chooseNamedWindow(windows.windowsOfClass(line.className), line.title);
    if (!window) return false;
    std::optional<platform::WindowPlace> place = windows.placeOf(window->handle);
    if (!place && windows.bringToFront(window->handle)) place = windows.placeOf(window->handle);
    if (!place) return false;
    anchored.handle = window->handle;
    anchored.place = *place;
    return true;
}

WaitOutcome WindowAnchor::waitFor(Anchored& anchored) {
    return pollUntil(platform_.pump, running_, runpause_, anchored.line.end.limitSeconds.value_or(kDefaultLimitSeconds),
                     [&] { return find(anchored); });
}

WaitOutcome WindowAnchor::anchor(const AnchorLine& line, int lineIndex) {
    anchored_.reset();
    Anchored anchored{line, lineIndex, 0, {}};
    const WaitOutcome outcome = waitFor(anchored);
    if (outcome == WaitOutcome::Found) anchored_ = anchored;
    return outcome;
}

std::optional<platform::Point> WindowAnchor::screenPoint(platform::Point point) {
    if (!anchored_) return point;
    Anchored& anchored = *anchored_;
    if (std::optional<platform::WindowPlace> place = platform_.topWindows.placeOf(anchored.handle)) {
        anchored.place = *place;
    } else {
        const WaitOutcome outcome = waitFor(anchored);
        if (outcome == WaitOutcome::Stopped) return std::nullopt;
        if (outcome == WaitOutcome::TimedOut) throw WindowTimeout(kWindowGone, anchored.lineIndex);
    }
    return mapIntoWindow(point.x, point.y, anchored.line.dpi, anchored.place);
}

std::optional<platform::ScreenRect> WindowAnchor::searchArea() {
    if (!anchored_) return platform_.screen.virtualScreen();
    const std::optional<platform::WindowPlace> place = platform_.topWindows.placeOf(anchored_->handle);
    if (!place) return std::nullopt;
    return place->client;
}

std::optional<platform::Point> WindowAnchor::pointNow(platform::Point point) {
    if (!anchored_) return point;
    const std::optional<platform::WindowPlace> place = platform_.topWindows.placeOf(anchored_->handle);
    if (!place) return std::nullopt;
    return mapIntoWindow(point.x, point.y, anchored_->line.dpi, *place);
}

void WindowAnchor::beforeClick() {
    if (!anchored_) return;
    platform::TopWindows& windows = platform_.topWindows;
    const uintptr_t handle = anchored_->handle;
    if (windows.foregroundWindow() == handle) return;
    const platform::Point pointer = platform_.input.cursorPos();
    const std::optional<platform::TopWindow> atPointer = windows.windowAt(pointer.x, pointer.y);
    if (atPointer && atPointer->handle == handle) return;
    if (!windows.bringToFront(handle)) throw WindowTimeout(kWindowNotInFront, anchored_->lineIndex);
}

}  // namespace tapmill::scripts
