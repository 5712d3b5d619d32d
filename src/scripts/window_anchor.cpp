#include "scripts/window_anchor.h"

#include <algorithm>

#include "common/window_follow_rules.h"
#include "common/window_match.h"
#include "scripts/script_fault.h"
#include "scripts/script_line.h"

namespace tapmill::scripts {

namespace {

const char kWindowGone[] = "限时内没有等到这个窗口";
const char kWindowNotInFront[] = "没能把这个窗口调到前面";

}  // namespace

std::optional<AnchorLine> anchorInForce(const RunList& lines, int index) {
    for (int i = std::min(index, lines.count()) - 1; i >= 0; --i) {
        const std::string line = lines.line(i);
        const LineKind kind = classifyLine(line);
        if (kind == LineKind::ScreenPositions) return std::nullopt;
        if (kind != LineKind::AnchorWindow) continue;
        try {
            return lineAnchor(line);
        } catch (const ScriptLineFault&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<AnchorTarget> findAnchorWindow(platform::TopWindows& windows, const AnchorLine& line) {
    const std::optional<platform::TopWindow> window =
        line.className.empty() ? chooseWindow(othersWindows(windows, windows.visibleWindows()), line.title)
                               : findNamedWindow(windows, line.className, line.title);
    if (!window) return std::nullopt;
    const std::optional<platform::WindowPlace> place = placeRestoring(windows, window->handle);
    if (!place) return std::nullopt;
    return AnchorTarget{window->handle, *place};
}

bool WindowAnchor::find(Anchored& anchored) {
    const std::optional<AnchorTarget> target = findAnchorWindow(platform_.topWindows, anchored.line);
    if (!target) return false;
    anchored.handle = target->handle;
    anchored.place = target->place;
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

bool WindowAnchor::present() {
    Anchored& anchored = *anchored_;
    if (std::optional<platform::WindowPlace> place = platform_.topWindows.placeOf(anchored.handle)) {
        anchored.place = *place;
        return true;
    }
    const WaitOutcome outcome = waitFor(anchored);
    if (outcome == WaitOutcome::TimedOut) throw WindowTimeout(kWindowGone, anchored.lineIndex);
    return outcome == WaitOutcome::Found;
}

std::optional<platform::Point> WindowAnchor::screenPoint(platform::Point point) {
    if (!anchored_) return point;
    if (!present()) return std::nullopt;
    return mapIntoWindow(point.x, point.y, anchored_->line.dpi, anchored_->place);
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

bool WindowAnchor::beforeInput(bool button) {
    if (!anchored_) return true;
    if (!present()) return false;
    const std::optional<platform::Point> place =
        button ? std::optional<platform::Point>(platform_.input.cursorPos()) : std::nullopt;
    if (raiseForInput(platform_.topWindows, anchored_->handle, place) == RaiseOutcome::Covered)
        throw WindowTimeout(kWindowNotInFront, anchored_->lineIndex);
    return true;
}

}  // namespace tapmill::scripts
