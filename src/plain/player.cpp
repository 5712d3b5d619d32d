// Plain playback: frame by frame, the cursor goes where the recording had it (or, following the
// windows the recording noted, to the same place in them) and the recorded button or key is
// injected there. Every frame is read from the file as it is played, so a
// recording that changes meanwhile is seen at the next frame.
#include <algorithm>
#include <optional>
#include <string>

#include "app/Unit_main.h"
#include "app/state_indicator.h"
#include "common/delay.h"
#include "common/frame_clock.h"
#include "common/held_input.h"
#include "common/library_messages.h"
#include "common/profile.h"
#include "common/speed.h"
#include "platform/files.h"
#include "plain/frame_step.h"
#include "plain/next_noted_input.h"
#include "plain/window_anchor.h"
#include "plain/window_note.h"

namespace tapmill {

namespace {

const char* const kIdleStatus = "当前状态：";
constexpr int kPausePollMs = 20;
// A frame more than this many frames late is a stall: the frames after it keep their spacing from it
// rather than following all at once to make up the time.
constexpr int32_t kCatchUpFrames = 5;

// A frame without input is on the pointer's path to the next input: it takes the place of that
// input's window where the window is there now, and plays where it was recorded where it is not or
// no noted input follows. The window is looked up once a path; `anchoredTo` is the frame whose
// note the anchor holds, -1 for none.
void anchorPath(WindowAnchor& anchor, NextNotedInput& nextInput, int32_t frame, int32_t frameCount,
                int32_t& anchoredTo) {
    const std::optional<NextNotedInput::Found> input = nextInput.after(frame, frameCount);
    const int32_t leadsTo = input ? input->frame : -1;
    if (leadsTo == anchoredTo) return;
    anchoredTo = leadsTo;
    if (!input || !anchor.anchorTo(input->note, input->position)) anchor.release();
}

}  // namespace

void TForm_maintapmill::playrec(int32_t count, int speed, const std::string& name, StartedBy by) {
    playing = true;
    setStatus(0, "当前状态：播放……");
    const std::string path = dataPath("jb_rec\\", name);
    // A folder of that name is no recording either.
    const bool missing = !files::exists(path) || files::isDirectory(path);
    // Larger than the program reads: every frame would read as none at all.
    if (missing || files::identity(path).size > profile::kMaxFileBytes) {
        playing = false;
        setStatus(0, kIdleStatus);
        tell(by, missing ? missingRecordingMessage(name) : "名为：'" + name + "'脚本文件太大，无法播放！");
        return;
    }

    FineTimingScope fineTiming(platform_.pump);
    HeldInput held(platform_.input);
    const HeldInputs::Entry heldWhilePlaying(heldInputs_, held, HeldInputs::Plain);
    // The keyboard library tells the stop and pause keys pressed while the replay holds a modifier.
    const KeyReporting::Hold keysWhilePlaying(keyReporting);
    EventReplay replay(held);
    const int32_t frameWait = plainFrameWaitMs(speed);
    // Frame k of the playback is due k + 1 frame waits after it began, so the time each frame's
    // work takes does not add to the recording's pace. From speed 12 on every frame is due at once.
    FrameClock clock(platform_.pump, frameWait, kCatchUpFrames * frameWait);
    bool badFrame = false;
    const bool followWindows = windowFollowing_->followsWindows();
    std::string missingWindow;
    const auto refused = [&held] { return held.refusal() != platform::InputRefusal::None; };
    const int32_t passes = count;
    for (int32_t pass = 1; (count > 0 || count == kEndlessPlayCount) && playing && !badFrame && !refused() &&
                           missingWindow.empty();
         ++pass) {
        stateIndicator_->passBegins(pass, passes);
        playFrame = 0;
        // Each pass starts at the recorded screen positions until its first note.
        WindowAnchor anchor(platform_.topWindows, platform_.pump);
        NextNotedInput nextInput(path);
        int32_t anchoredTo = -1;
        // A recording without frames (no count, or none above zero) still takes a frame's time a
        // pass, so an endless playback of it idles and Stop, the hot keys and the close get through.
        if (recordingFrameCount(path) <= 0) Delay(platform_.pump, std::max(frameWait, 1));
        while (playFrame < recordingFrameCount(path) && playing) {
            // A stop during the wait ends it at once: at slow speeds a frame's wait is long, and the
            // frame it waited for is not played.
            clock.waitForFrame(playing);
            if (!playing) break;
            if (playpause) {
                while (playpause && playing) Delay(platform_.pump, kPausePollMs, playing);
                // A stop pressed while paused ends the playback without the frame it was paused before.
                if (!playing) break;
                // The frames after a pause keep their spacing from where it ended.
                clock.restart();
            }

            const RecordedFrame frame = readRecordedFrame(path, playFrame);
            // Only input needs a window: a window the pointer only crossed is no part of the replay.
            const bool input = hasInput(frame);
            const std::optional<WindowNote> note =
                followWindows && input ? readWindowNote(path, std::to_string(playFrame)) : std::nullopt;
            // Nothing goes to whatever window happens to be where the missing one was.
            if (note && !anchor.follow(*note, frame.position, [this] { return !playing; }, [this] { return playpause; })) {
                if (playing) missingWindow = note->title;
                break;
            }
            if (note) anchoredTo = playFrame;
            if (followWindows && !input)
                anchorPath(anchor, nextInput, playFrame, recordingFrameCount(path), anchoredTo);
            const platform::Point where = anchor.place(frame.position);
            const auto giveNotedWindowTheInput = [&] {
                if (note) anchor.bringToFront(where);
            };
            if (!playRecordedFrame(platform_.input, replay, frame, where, giveNotedWindowTheInput)) {
                badFrame = true;
                break;
            }
            if (refused()) break;
            Label_playfra->setText(std::to_string(playFrame));
            ++playFrame;
            clock.nextFrame();
        }
        // A modifier pressed last in the pass is tapped at its end; one of a stopped run is dropped.
        if (playing && !badFrame && !refused() && missingWindow.empty()) replay.endPass();
        if (count != kEndlessPlayCount) --count;
    }

    // A run that was stopped, failed or refused lets go of what it pressed; one that ran to its end
    // keeps the recording's own effect.
    if (badFrame || !playing || refused() || !missingWindow.empty()) held.releaseAll();
    playing = false;
    setStatus(0, kIdleStatus);
    if (badFrame) tell(by, "脚本出错，请检查后再运行！");
    if (refused()) reportRefusedInput(held.refusal(), by);
    if (!missingWindow.empty()) tell(by, "找不到窗口：" + missingWindow + "，播放已停止");
}

}  // namespace tapmill
