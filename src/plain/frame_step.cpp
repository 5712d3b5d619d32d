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

bool playFrameStep(platform::Input& input, EventReplay& replay, const std::string& path, int32_t frame) {
    const std::string section = std::to_string(frame);
    input.setCursorPos(profile::readInteger(path, section, "x", 0), profile::readInteger(path, section, "y", 0));
    const std::vector<FrameEvent> events = recordedFrameEvents(path, section);
    if (std::any_of(events.begin(), events.end(), [](const FrameEvent& e) { return e.kind == FrameEvent::BadKey; }))
        return false;
    for (const FrameEvent& event : events) replay.play(event);
    replay.endFrame();
    return true;
}

}  // namespace tapmill
