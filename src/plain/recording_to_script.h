#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plain/frame_event.h"
#include "plain/window_note.h"
#include "platform/input.h"

namespace tapmill {

// One frame of a plain recording as it is read: the pointer's position, the frame's events, and
// the note of the window its input went to, where the recording made one.
struct RecordedFrame {
    platform::Point position;
    std::vector<FrameEvent> events;
    std::optional<WindowNote> note;
};

// The frames of the events a script line cannot express, by kind, each in increasing order.
struct LeftOutEvents {
    std::vector<int32_t> unnamedKeys;    // key numbers the key table has no name for, and faulty key texts
    std::vector<int32_t> middleButton;
    std::vector<int32_t> wheel;
    std::vector<int32_t> rightReleases;  // a right release with no right press before it
    bool empty() const { return unnamedKeys.empty() && middleButton.empty() && wheel.empty() && rightReleases.empty(); }
};

// Turns a plain recording, fed frame by frame, into the command lines of a hand-written script (GBK
// bytes, "开始" to "结束") that does what the recording's own playback at speed 5 does:
//
// - The events go through the player's own replay (EventReplay), so a double click, the press of a
//   modifier and a combination become the presses and releases the playback injects, at the frame
//   the playback injects them. A key press and release with nothing between is one "单击键盘的"
//   line, a left press and release one "单击鼠标左键", two of those in one frame "双击鼠标左键".
//   A key held past its frame is "按下键盘的" and "弹起键盘的" where it went down and up, unless
//   nothing but waiting and the pointer's path lies between: then it is one "单击键盘的" too.
//   Scripts know no right press or release of its own: a right press is "单击鼠标右键" there and
//   then, and its release is part of it.
// - Before the lines of a frame the pointer moves to the frame's position, where it is not there
//   already. Between events the pointer's path is thinned to at most one move per kMoveSpacingMs,
//   and a move only where the position changed; the last position of the recording is reached too.
// - The time between lines is "延时N毫秒" at kFrameMs a frame, and a pass lasts as long as the
//   recording's (its frame count × kFrameMs), so repeated passes keep the recording's pace.
// - Events no line can express are left out, and their frames kept in leftOut().
// - From a frame with input and a window note on, the moves are positions in that window's client
//   area: a "窗口：" line naming the window's title, class and DPI comes before them wherever the
//   window changes, and the frames after it follow the client area of that note. A note on a frame
//   without input (older recorders noted each window the pointer crossed) is no window of the script. A recording
//   without notes gives screen positions only, as it always did.
class RecordingToScript {
public:
    static constexpr int32_t kFrameMs = 20;  // the player's frame wait at speed 5
    static constexpr int32_t kMoveSpacingMs = 100;

    // Once the lines pass `byteLimit` bytes as a file (CR LF after each), no more are kept and the
    // conversion yields none.
    explicit RecordingToScript(uint64_t byteLimit);
    ~RecordingToScript();
    RecordingToScript(const RecordingToScript&) = delete;
    RecordingToScript& operator=(const RecordingToScript&) = delete;

    void addFrame(const RecordedFrame& frame);
    // The script's lines, or none when they passed the byte limit; call once, after the last frame.
    std::optional<std::vector<std::string>> finish();
    const LeftOutEvents& leftOut() const { return leftOut_; }
    // The lines have passed the byte limit: finish() will give none, whatever frames follow.
    bool full() const { return bytes_ > byteLimit_; }

private:
    class Injection;
    struct Action;

    std::vector<std::string> linesOf(const std::vector<Action>& actions, int32_t frame);
    // The lines of one frame at its time and position, after a move there where the pointer is not.
    void placeLines(int32_t atMs, platform::Point position, const std::vector<std::string>& lines);
    // A move on the pointer's path between events, where thinning lets it through.
    void followPath(int32_t atMs, platform::Point position);
    void moveTo(int32_t atMs, platform::Point position);
    void waitUntil(int32_t atMs);
    void append(std::string line);
    // The lines of what the replay injected for a frame, placed at its time and position.
    void placeInjected(int32_t frame, platform::Point position);
    // The frame's position as the script's moves give it: in the noted window's client area from
    // the first note on; a window other than the last one's gets its window line.
    platform::Point scriptPosition(int32_t frame, const RecordedFrame& recorded);

    std::unique_ptr<Injection> injection_;
    int32_t frames_ = 0;
    platform::Point lastFramePosition_;
    std::optional<platform::Point> pointer_;  // where the script has put the pointer
    std::optional<int32_t> lastMoveMs_;
    int32_t scriptMs_ = 0;                    // the time the script's delays have reached
    bool rightHeld_ = false;
    std::optional<WindowNote> window_;        // the window of the last note
    platform::Point clientOrigin_;            // where its client area's corner was on the screen
    std::vector<std::string> lines_;
    uint64_t bytes_ = 0;
    uint64_t byteLimit_;
    LeftOutEvents leftOut_;
};

}  // namespace tapmill
