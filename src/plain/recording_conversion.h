#pragma once
#include <cstdint>
#include <string>

#include "plain/recording_to_script.h"
#include "platform/platform.h"

namespace tapmill {

// "转为脚本" on the plain recording panel: the recording jb_rec\<name>.ini becomes the hand-written
// script jb_homa\<name>.ini (RecordingToScript), which the editor opens and the interpreter runs.
//
// A long recording takes a while to read, so the window's messages are handled between frames, as
// every long loop of the program does: Stop and the close end the conversion, and a recording
// that changes meanwhile (a new recording into the scratch file, a delete) is not converted.
class RecordingConversion {
public:
    // A day of frames. The recorder stops long before (OpenRecording::kByteLimit); a recording
    // that holds more is no recording of the program's, and its delays would not fit a script's numbers.
    static constexpr int32_t kLongestFrames = 24 * 3600 * (1000 / RecordingToScript::kFrameMs);
    // Frames read between two looks at the window's messages: a few milliseconds of reading.
    static constexpr int32_t kFramesBetweenMessages = 1000;

    RecordingConversion(platform::Platform& platform, const std::string& exedir) : platform_(platform), exedir_(exedir) {}

    // Writes the script of the frames the file holds, asking first when a script of that name
    // exists, and names what it could not convert. False when no script was written: the reason
    // shown, or the conversion stopped.
    bool convert(const std::string& name);
    // A conversion under way ends at its next look at the messages and writes nothing.
    void stop() { stopped_ = true; }

private:
    enum class Reading { Done, Stopped, Changed, TooLong };

    // Feeds the frames the file holds, up to the count it claims, into `conversion`; `held` is
    // how many it fed.
    Reading readFrames(const std::string& recording, int32_t claimed, RecordingToScript& conversion, int32_t& held);
    void remind(const std::string& text);

    platform::Platform& platform_;
    const std::string& exedir_;
    bool stopped_ = false;
};

// The message naming the frames of the events a conversion left out, kind by kind.
std::string leftOutMessage(const LeftOutEvents& leftOut);

}  // namespace tapmill
