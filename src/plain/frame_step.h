#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plain/event_replay.h"
#include "plain/recording_to_script.h"
#include "platform/input.h"

namespace tapmill {

// Frame count of a plain recording (key "value" of section "all"; 0 when missing).
int32_t recordingFrameCount(const std::string& path);

// The events of a frame, in order: "ev2" where the frame has one, else "ev", else "kp".
std::vector<FrameEvent> recordedFrameEvents(const std::string& path, const std::string& section);

RecordedFrame readRecordedFrame(const std::string& path, int32_t frame);
// The frame carries input: a button, the wheel or a key (a faulty event text counts too).
bool hasInput(const RecordedFrame& frame);

// Plays one frame of a plain recording: the cursor goes to `where`, then its events are injected
// there, in order. beforeInput runs between the two where the frame has input. Returns false,
// having injected nothing, when an event text of the frame is faulty.
bool playRecordedFrame(platform::Input& input, EventReplay& replay, const RecordedFrame& frame, platform::Point where,
                       const std::function<void()>& beforeInput = {});
// The same at the frame's recorded position.
bool playFrameStep(platform::Input& input, EventReplay& replay, const std::string& path, int32_t frame);

}  // namespace tapmill
