// The notification-area icon: added at each show, removed at the close, its menu, the minimise
// into it, and the picture that shows what the program is doing.
#include "app/Unit_main.h"
#include "app/activity.h"
#include "app/state_indicator.h"
#include "scripts/script_line.h"

namespace tapmill {

namespace {

// What the main window shows of the progress: its frame counters, the journal's passes, the
// line the script run executes.
IndicatorProgress progressOf(const TForm_maintapmill& form) {
    const journal::JournalPlayer& journalPlayer = form.stjournal.player;
    IndicatorProgress progress;
    progress.recordedFrames = form.recording ? form.recFrame : form.stjournal.recorder.eventCount();
    progress.playedFrame = form.playing ? form.playFrame : journalPlayer.position;
    if (!form.playing && journalPlayer.playing) {
        progress.pass = journalPlayer.passesAsked - journalPlayer.passesLeft + 1;
        progress.passes = journalPlayer.endless ? kEndlessPlayCount : journalPlayer.passesAsked;
    }
    if (form.running && form.runningLines) {
        const int line = form.runningLines->currentLine();
        progress.scriptLine = line + 1;
        const scripts::LineKind kind =
            line >= 0 && line < form.runningLines->count() ? scripts::classifyLine(form.runningLines->line(line))
                                                           : scripts::LineKind::Other;
        progress.screenWait = kind == scripts::LineKind::WaitColour || kind == scripts::LineKind::WaitImage;
    }
    return progress;
}

}  // namespace

void TForm_maintapmill::addTrayIcon() {
    trayPicture_ = platform::TrayPicture::Normal;
    // A later show finds the icon there already; the refusal is harmless.
    platform_.tray.add(window->nativeHandle(), trayPicture_);
}

void TForm_maintapmill::removeTrayIcon() { platform_.tray.remove(window->nativeHandle()); }

void TForm_maintapmill::showTrayPicture(platform::TrayPicture picture) {
    trayPicture_ = picture;
    platform_.tray.change(window->nativeHandle(), picture);
}

Activity TForm_maintapmill::currentActivity() const {
    const journal::JournalRecorder& journalRecorder = stjournal.recorder;
    const journal::JournalPlayer& journalPlayer = stjournal.player;
    ActivityFlags flags;
    flags.recording = recording || journalRecorder.recording;
    flags.recordingPaused = !((recording && !recpause) || (journalRecorder.recording && !journalRecorder.paused));
    flags.playing = playing || journalPlayer.playing;
    flags.playingPaused = !((playing && !playpause) || (journalPlayer.playing && !journalPlayer.paused));
    flags.running = running;
    flags.runningPaused = runpause;
    return activityOf(flags);
}

void TForm_maintapmill::showActivity() {
    const Activity activity = currentActivity();
    setStatus(0, activityStatus_.text(activity));
    if (activity != Activity::Idle) refusedInputTip_.clear();
    // The status text of the timed start stays as it is; when it fires, the tips tell.
    const std::string timedStart = timedStartNote();
    const std::string tip = refusedInputTip_.empty() ? activityTrayTip(activity) : refusedInputTip_;
    platform_.tray.setTip(window->nativeHandle(), tip + (timedStart.empty() ? "" : "\n" + timedStart));
    StatusBar->setPanelTip(1, timedStart);
    stateIndicator_->update(activity, progressOf(*this), platform_.input.cursorPos(), platform_.pump.tickMs());
}

void TForm_maintapmill::showCommandRefusal(const std::string& refusal) {
    activityStatus_.refuse(currentActivity(), refusal);
    showActivity();
}

void TForm_maintapmill::tell(StartedBy by, const std::string& text) {
    if (by == StartedBy::Command) return showCommandRefusal(text);
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

void TForm_maintapmill::Timer_flashTimer() {
    using platform::TrayPicture;
    // Also what no handler of the program sees end: a journal playback, which ends in the
    // system's calls or in the ticks of the program's own playback clock.
    showActivity();
    if (!playing && !recording && !running) showTrayPicture(TrayPicture::Normal);
    if (recording) {
        if (recordingFlashPhase_ && CheckBox_lzsy->checked()) {
            showTrayPicture(TrayPicture::Normal);
            recordingFlashPhase_ = false;
        } else {
            showTrayPicture(TrayPicture::Recording);
            recordingFlashPhase_ = true;
        }
    }
    if ((playing || running) && CheckBox_bfsy->checked()) {
        if (playbackFlashPhase_) {
            showTrayPicture(TrayPicture::Normal);
            playbackFlashPhase_ = false;
        } else {
            showTrayPicture(TrayPicture::Playback);
            playbackFlashPhase_ = true;
        }
    }
}

void TForm_maintapmill::WMTrayIcon(uint32_t mouseMessage) {
    if (mouseMessage == platform::kTrayRightButtonUp) {
        platform_.tray.bringToForeground(window->nativeHandle());
        const int chosen = platform_.tray.popupMenu(window->nativeHandle(), platform_.input.cursorPos(),
                                                    {"显示Tapmill窗口", "退出"});
        if (chosen == 0) N1Click();
        if (chosen == 1) N2Click();
    } else if (mouseMessage == platform::kTrayLeftDoubleClick) {
        N1Click();
    }
}

// The window comes back in front of whatever covers it: the user asked for it.
void TForm_maintapmill::N1Click() {
    window->show();
    platform_.tray.bringToForeground(window->nativeHandle());
}

void TForm_maintapmill::N2Click() { window->close(); }

void TForm_maintapmill::ApplicationEvents1Minimize() { window->hide(); }

bool TForm_maintapmill::routeTrayMessage(uint32_t message, intptr_t lParam) {
    if (message == platform::kTrayCallbackMessage) {
        WMTrayIcon(static_cast<uint32_t>(lParam));
        return true;
    }
    // A new taskbar (Explorer restarted) has lost every icon: put ours back as it was.
    if (message == platform_.tray.taskbarCreatedMessage()) {
        platform_.tray.add(window->nativeHandle(), trayPicture_);
        return true;
    }
    return false;
}

}  // namespace tapmill
