// The journal panel's handlers: recording, playback, the pause shared by both, and the endless box.
#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "common/counts.h"
#include "common/intparse.h"

namespace tapmill {

namespace {

// Every recording goes into the scratch journal "jb_strec\stjb.ini".
const char* const kScratchJournal = "stjb";
const char* const kJournalFolder = "jb_strec\\";
const char* const kRecordingText = "录制中…";
const char* const kPlayingText = "播放中…";
const char* const kPausedText = "暂停…";
const char* const kNotShownText = "暂不显示";
const char* const kHookRefusedText = "系统不允许安装录制所需的钩子，无法录制！";

}  // namespace

void TForm_maintapmill::RzBitBtn_strecClick() {
    const std::string scratch = dataPath(kJournalFolder, kScratchJournal);
    // The stop key ends a journal playback too: played back, it would end the very playback.
    std::vector<KeyChord> leftOut = controlKeys.journalChords();
    if (!controlKeys.chord(HK_Stop).none()) leftOut.push_back(controlKeys.chord(HK_Stop));
    if (!stjournal.recorder.start(scratch, leftOut)) {
        platform_.dialogs.messageBox(kHookRefusedText, platform::kRemindCaption, platform::MessageButtons::Ok);
        return;
    }
    label_ststate->setText(kRecordingText);
    showActivity();
    label_stfra->setText(kNotShownText);
    stname = kScratchJournal;
    Label_stjbname->setText(kScratchJournal);
    stjournal.current.file = scratch;
}

void TForm_maintapmill::RzBitBtn_ststopClick() {
    label_ststate->setText("");
    // A record call parked in the pause returns, and the next recording starts unpaused.
    clearJournalPause();
    // A playback ends too: the program's own playback lets the click and the key through, where
    // the system's holds them back and only Ctrl+Esc ends it.
    stjournal.player.stop();
    // The status follows even when the count cannot be written.
    try {
        stjournal.recorder.stop();
    } catch (...) {
        showActivity();
        throw;
    }
    showActivity();
}

// The system took the playback hook away, as it does on Ctrl+Esc (and the platform says the same
// of Ctrl+Esc during a playback the program plays itself): the playback ends there, and a later
// start plays again, unpaused. A recording goes on: its low-level hooks keep watching.
void TForm_maintapmill::WMCancelJournal() {
    stjournal.player.stop();
    clearJournalPause();
    // No longer "暂停…": what still goes on is a recording, or nothing.
    label_ststate->setText(stjournal.recorder.recording ? kRecordingText : "");
    showActivity();
}

void TForm_maintapmill::stopJournalPlayback() {
    // It ends as when the system takes its hook away.
    if (stjournal.player.playing) WMCancelJournal();
}

void TForm_maintapmill::clearJournalPause() {
    stjournal.recorder.paused = stjournal.player.paused = false;
    stjournal.player.followPause();
    Speedbutton_stpause->setText("暂停");
}

void TForm_maintapmill::loadJournal(const std::string& name) {
    stname = name;
    label_stfra->setText(lastIndexText(stjournal.load(dataPath(kJournalFolder, name))));
}

void TForm_maintapmill::RzBitBtn_stplayClick() {
    loadJournal(Label_stjbname->text());
    // A count that is no 32-bit number ends the start here, the journal loaded and no hook installed.
    const int32_t passes = parseInt32Strict(Edit_stt->text());
    playLoadedJournal(passes, RzTrackBar_st->position(), RzCheckBox_loop->checked());
}

void TForm_maintapmill::playst(int32_t count, int speed, const std::string& name) {
    Label_stjbname->setText(name);
    loadJournal(name);
    const bool endless = count == kEndlessPlayCount;
    playLoadedJournal(endless ? 1 : count, speed, endless);
}

void TForm_maintapmill::playLoadedJournal(int32_t passes, int speed, bool endless) {
    // The playback goes on from the message loop, whoever plays it; the activity display sees it end.
    if (stjournal.player.start(passes, speed, endless)) showActivity();
}

void TForm_maintapmill::Speedbutton_stpauseClick() {
    journal::JournalPlayer& player = stjournal.player;
    journal::JournalRecorder& recorder = stjournal.recorder;
    if (!player.playing && !recorder.recording) return;
    recorder.paused = !recorder.paused;
    player.paused = !player.paused;
    player.followPause();
    Speedbutton_stpause->setText(player.paused ? "继续" : "暂停");
    label_ststate->setText(player.paused ? kPausedText : player.playing ? kPlayingText : kRecordingText);
    showActivity();
}

void TForm_maintapmill::RzCheckBox_loopClick() {
    followEndlessBox(*RzCheckBox_loop, *Edit_stt);
    stjournal.player.endless = RzCheckBox_loop->checked();
}

}  // namespace tapmill
