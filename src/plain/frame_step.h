#pragma once
#include <cstdint>
#include <string>

#include "common/held_input.h"
#include "platform/input.h"

namespace tapmill {

// Frame count of a plain recording (key "value" of section "all"; 0 when missing).
int32_t recordingFrameCount(const std::string& path);

// Plays one frame of a plain recording: the cursor goes to the frame's position, then its event is
// injected there. Returns false, having injected nothing, when the frame's event text is faulty.
bool playFrameStep(platform::Input& input, HeldInput& held, const std::string& path, int32_t frame);

}  // namespace tapmill
