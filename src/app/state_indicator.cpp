#include "app/state_indicator.h"

#include <cstdio>

#include "common/counts.h"
#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kSection = "indicator";
const char* const kKey = "corner";
constexpr IndicatorCorner kDefaultCorner = IndicatorCorner::TopRight;
const char* const kCornerNames[] = {"左上角", "右上角", "左下角", "右下角", "不显示"};
constexpr int kCornerCount = 5;
// The gap between the box and the edges of the work area, in pixels.
constexpr int kEdgeGap = 8;

std::string clockText(int64_t ms) {
    const int64_t seconds = ms / 1000;
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    return text;
}

bool onLeft(IndicatorCorner c) { return c == IndicatorCorner::TopLeft || c == IndicatorCorner::BottomLeft; }
bool onTop(IndicatorCorner c) { return c == IndicatorCorner::TopLeft || c == IndicatorCorner::TopRight; }

IndicatorCorner otherOfEdge(IndicatorCorner c) {
    switch (c) {
        case IndicatorCorner::TopLeft: return IndicatorCorner::TopRight;
        case IndicatorCorner::TopRight: return IndicatorCorner::TopLeft;
        case IndicatorCorner::BottomLeft: return IndicatorCorner::BottomRight;
        case IndicatorCorner::BottomRight: return IndicatorCorner::BottomLeft;
        case IndicatorCorner::Hidden: break;
    }
    return c;
}

// Whether the pointer is within a box's height of the box: a click about to land there, or a
// pointer passing by on its way to it.
bool near(const ui::Rect& box, platform::Point p) {
    const int reach = box.h;
    return p.x >= box.x - reach && p.x < box.x + box.w + reach && p.y >= box.y - reach && p.y < box.y + box.h + reach;
}

}  // namespace

std::string indicatorText(Activity activity, const IndicatorProgress& p) {
    switch (activity) {
        case Activity::Recording:
            return "录制中  " + std::to_string(p.recordedFrames) + " 帧  " + clockText(p.recordingMs);
        case Activity::Playing: {
            std::string text = "播放中";
            if (p.pass > 0)
                text += "  第 " + std::to_string(p.pass) + " / " +
                        (p.passes == kEndlessPlayCount ? std::string("∞") : std::to_string(p.passes)) + " 遍";
            return text + "  第 " + std::to_string(p.playedFrame) + " 帧";
        }
        case Activity::Running:
            return p.scriptLine > 0 ? "运行脚本中  第 " + std::to_string(p.scriptLine) + " 行" : "运行脚本中";
        case Activity::Paused: return "暂停";
        case Activity::Idle: break;
    }
    return "";
}

uint32_t indicatorColour(Activity activity) {
    switch (activity) {
        case Activity::Recording: return 0xC62828;  // the red of the recording tray icon
        case Activity::Playing:
        case Activity::Running: return 0x2E7D32;  // the green of the playback tray icon
        case Activity::Paused: return 0x9E6A00;
        case Activity::Idle: break;
    }
    return 0x505050;
}

ui::Rect placeInCorner(IndicatorCorner corner, const ui::Rect& work, const ui::Rect& size) {
    const int x = onLeft(corner) ? work.x + kEdgeGap : work.x + work.w - size.w - kEdgeGap;
    const int y = onTop(corner) ? work.y + kEdgeGap : work.y + work.h - size.h - kEdgeGap;
    return {x, y, size.w, size.h};
}

IndicatorCorner cornerAwayFromPointer(IndicatorCorner chosen, IndicatorCorner now, const ui::Rect& work,
                                      const ui::Rect& size, platform::Point pointer) {
    if (chosen == IndicatorCorner::Hidden) return chosen;
    if (now != chosen && now != otherOfEdge(chosen)) now = chosen;
    if (near(placeInCorner(now, work, size), pointer)) return otherOfEdge(now);
    if (now != chosen && !near(placeInCorner(chosen, work, size), pointer)) return chosen;
    return now;
}

StateIndicator::StateIndicator(ui::Factory& factory, ui::Control& optionsPanel, int controlId)
    : caption_(factory.label(optionsPanel, controlId, {236, 38, 110, 14}, "状态指示:")),
      cornerList_(factory.comboBox(optionsPanel, controlId, {236, 56, 110, 200}, true)),
      overlay_(factory.overlay("TapmillStateIndicator")) {
    for (const char* name : kCornerNames) cornerList_->addItem(name);
    restoreDefault();
}

IndicatorCorner StateIndicator::chosenCorner() const {
    const int index = cornerList_->selectedIndex();
    return index >= 0 && index < kCornerCount ? static_cast<IndicatorCorner>(index) : kDefaultCorner;
}

void StateIndicator::readCorner(const std::string& config) {
    const int32_t index = profile::readInteger(config, kSection, kKey, -1);
    if (index >= 0 && index < kCornerCount) cornerList_->setSelectedIndex(index);
}

void StateIndicator::saveCorner(const std::string& config) const {
    profile::writeInteger(config, kSection, kKey, static_cast<int32_t>(chosenCorner()));
}

void StateIndicator::restoreDefault() { cornerList_->setSelectedIndex(static_cast<int>(kDefaultCorner)); }

void StateIndicator::passBegins(int32_t pass, int32_t passes) {
    plainPass_ = pass;
    plainPasses_ = passes;
}

void StateIndicator::update(Activity activity, IndicatorProgress progress, platform::Point pointer, uint32_t tickMs) {
    // A recording's time counts while it records: from one update to the next while the last one
    // showed it recording, so a pause adds nothing.
    if (activity == Activity::Recording && last_ != Activity::Recording && last_ != Activity::Paused)
        recordedMs_ = 0;
    else if (last_ == Activity::Recording)
        recordedMs_ += static_cast<uint32_t>(tickMs - lastTickMs_);
    lastTickMs_ = tickMs;
    if (activity == Activity::Idle) plainPass_ = 0;
    last_ = activity;
    progress.recordingMs = recordedMs_;
    if (progress.pass == 0) {
        progress.pass = plainPass_;
        progress.passes = plainPasses_;
    }

    const IndicatorCorner chosen = chosenCorner();
    if (activity == Activity::Idle || chosen == IndicatorCorner::Hidden ||
        (activity == Activity::Running && progress.screenWait)) {
        overlay_->hide();
        shownCorner_ = chosen;
        return;
    }
    overlay_->setContent(indicatorText(activity, progress), indicatorColour(activity));
    const ui::Rect work = overlay_->workArea();
    shownCorner_ = cornerAwayFromPointer(chosen, shownCorner_, work, overlay_->size(), pointer);
    const ui::Rect at = placeInCorner(shownCorner_, work, overlay_->size());
    overlay_->showAt(at.x, at.y);
}

}  // namespace tapmill
