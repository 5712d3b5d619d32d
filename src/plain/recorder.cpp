// The plain recorder: every frame period the cursor position becomes a frame of the scratch
// recording, and the hook libraries' button and key messages, routed by the main window, become
// the event of the frame being recorded.
#include <optional>
#include <string>

#include "app/Unit_main.h"
#include "capture/hook_messages.h"
#include "common/delay.h"
#include "common/error.h"
#include "common/frame_clock.h"

namespace tapmill {

namespace {

const char* const kRecordingStatus = "当前状态：录制……";
const char* const kIdleStatus = "当前状态：";
constexpr int kFramePeriodMs = 20;
constexpr int kPausePollMs = 20;
// The frame counter is repainted every this many frames, ten times a second: repainting it with
// every frame would cost more than the rest of the frame's work together.
constexpr int32_t kCounterEveryFrames = 5;
// Frames 0 to 999,999,999.
constexpr int32_t kFrameLimit = 1000000000;

}  // namespace

void TForm_maintapmill::SpeedButton_recClick() {
    enableRecActions(false);
    try {
        startrec();
    } catch (...) {
        enableRecActions(true);
        throw;
    }
    // A recording that could not be written (reported by whichever loop met the failure) does
    // not become the current one.
    if (!openRec_.broken()) {
        Label_recjbname->setText("jb_rec");
        recname = Label_recjbname->text();
    }
    enableRecActions(true);
}

void TForm_maintapmill::startrec() {
    recording = true;
    setStatus(0, kRecordingStatus);
    recFrame = 0;
    openRec_.open(dataPath("jb_rec\\", "jb_rec"));
    windowNoting_.restart();
    platform_.hooks.startHook(window->nativeHandle(), kMouseMessageBase);
    keyReporting.hold();
    try {
        recordFrames();
    } catch (...) {
        endRecording();
        throw;
    }
    endRecording();
    const std::string failure = openRec_.takeFailure();
    if (!failure.empty()) throw Error(failure);
}

void TForm_maintapmill::recordFrames() {
    FineTimingScope fineTiming(platform_.pump);
    FrameClock clock(platform_.pump, kFramePeriodMs);
    while (recording) {
        clock.waitForFrame();
        if (recpause) {
            while (recpause) Delay(platform_.pump, kPausePollMs);
            // The time spent paused is left out of the recording.
            clock.restart();
        }
        const platform::Point at = platform_.input.cursorPos();
        if (!openRec_.writeFrame(recFrame, at.x, at.y)) {
            stopRecordingAfterWriteFailure();
            return;
        }
        if (recFrame % kCounterEveryFrames == 0) Label_recfra->setText(std::to_string(recFrame));
        ++recFrame;
        // A file grown as large as the program can read back ends the recording as the frame
        // limit does, with its count written, rather than running out of memory on the way.
        if (recFrame >= kFrameLimit || openRec_.full()) {
            platform_.dialogs.messageBox("所做的记录时间超过了软件本身所能给定的时间！", platform::kRemindCaption,
                                         platform::MessageButtons::Ok);
            return;
        }
        clock.nextFrame();
    }
}

void TForm_maintapmill::endRecording() {
    platform_.hooks.stopHook();
    keyReporting.release();
    // A failure here is reported like any other, after the recording is closed.
    openRec_.writeFrameCount(recFrame);
    // The counter shows the last frame, whichever the last repaint showed.
    if (recFrame > 0) Label_recfra->setText(std::to_string(recFrame - 1));
    recording = false;
    setStatus(0, kIdleStatus);
    openRec_.close();
}

// A recording that cannot be written ends as Stop ends it (a paused one too); its loop then
// switches the libraries off and reports the failure once.
void TForm_maintapmill::stopRecordingAfterWriteFailure() {
    recording = false;
    recpause = playpause = false;
    followPauses();
    SpeedButton_pause->setText("暂停");
}

}  // namespace tapmill
