#pragma once
#include <cstdint>
#include <string>

#include "plain/recording_to_script.h"
#include "platform/platform.h"

namespace tapmill {

// "转为脚本" on the plain recording panel: the recording jb_rec\<name>.ini becomes the hand-written
// script jb_homa\<name>.ini (RecordingToScript), which the editor opens and the interpreter runs.
class RecordingConversion {
public:
    // A day of frames. The recorder stops long before (OpenRecording::kByteLimit); a count beyond it
    // is no recording of the program's, and its delays would not fit a script's numbers.
    static constexpr int32_t kLongestFrames = 24 * 3600 * (1000 / RecordingToScript::kFrameMs);

    RecordingConversion(platform::Platform& platform, const std::string& exedir) : platform_(platform), exedir_(exedir) {}

    // Writes the script, asking first when a script of that name exists, and names the frames of
    // the events it left out. False, with the reason shown, when no script was written.
    bool convert(const std::string& name);

private:
    void remind(const std::string& text);

    platform::Platform& platform_;
    const std::string& exedir_;
};

// The message naming the frames of the events a conversion left out, kind by kind.
std::string leftOutMessage(const LeftOutEvents& leftOut);

}  // namespace tapmill
