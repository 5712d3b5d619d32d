#include "plain/frame_step.h"

#include <algorithm>
#include <vector>

#include "common/profile.h"
#include "plain/frame_event.h"

namespace tapmill {

int32_t recordingFrameCount(const std::string& path) { return profile::readInteger(path, "all", "value", 0); }

std::vector<FrameEvent> recordedFrameEvents(const std::string& path, const std::string& section) {
    // "ev2", where there is one, holds the events as performed, "ev" all of them as presses and
    // "kp" only the last of them.
    std::string all = profile::readString(path, section, "ev2", "");
    if (all.empty()) all = profile::readString(path, section, "ev", "");
    return all.empty() ? std::vector<FrameEvent>{decodeFrameEvent(profile::readString(path, section, "kp", "0"))}
                       : decodeFrameEvents(all);
}

namespace {

bool hasEventOf(const RecordedFrame& frame, bool (*kind)(const FrameEvent&)) {
    return std::any_of(frame.events.begin(), frame.events.end(), kind);
}

}  // namespace

bool hasInput(const RecordedFrame& frame) {
    return hasEventOf(frame, [](const FrameEvent& e) { return e.kind != FrameEvent::None; });
}

RecordedFrame readRecordedFrame(const std::string& path, int32_t frame) {
    const std::string section = std::to_string(frame);
    return {{profile::readInteger(path, section, "x", 0), profile::readInteger(path, section, "y", 0)},
            recordedFrameEvents(path, section), std::nullopt};
}

bool playRecordedFrame(platform::Input& input, EventReplay& replay, const RecordedFrame& frame, platform::Point where,
                       const std::function<void()>& beforeInput) {
    input.setCursorPos(where.x, where.y);
    if (hasEventOf(frame, [](const FrameEvent& e) { return e.kind == FrameEvent::BadKey; })) return false;
    if (beforeInput && hasInput(frame)) beforeInput();
    for (const FrameEvent& event : frame.events) replay.play(event);
    replay.endFrame();
    return true;
}

bool playFrameStep(platform::Input& input, EventReplay& replay, const std::string& path, int32_t frame) {
    const RecordedFrame recorded = readRecordedFrame(path, frame);
    return playRecordedFrame(input, replay, recorded, recorded.position);
}

}  // namespace tapmill
