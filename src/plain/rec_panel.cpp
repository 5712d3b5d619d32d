// The playback controls of the plain-recording panel, and the pass-count field handlers that the
// other panels share.
#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "common/intparse.h"

namespace tapmill {

void TForm_maintapmill::SpeedButton_playClick() {
    // A count that is no 32-bit number ends the click here, before anything is disabled.
    const int32_t count = CheckBox_loop->checked() ? kEndlessPlayCount : parseInt32Strict(Edit_playt->text());
    enableRecActions(false);
    playrec(count, RzTrackBar_speed->position(), recname);
    enableRecActions(true);
}

void TForm_maintapmill::enableRecActions(bool enabled) {
    for (ui::Button* action : {SpeedButton_play.get(), SpeedButton_rec.get(), SpeedButton_toscript.get()})
        action->setEnabled(enabled);
}

void TForm_maintapmill::SpeedButton_stopClick() {
    recording = playing = recpause = playpause = false;
    recConversion_.stop();
    enableRecActions(true);
    SpeedButton_pause->setText("暂停");
}

void TForm_maintapmill::SpeedButton_pauseClick() {
    if (!recording && !playing) return;
    recpause = !recpause;
    playpause = !playpause;
    followPauses();
    SpeedButton_pause->setText(playpause ? "继续" : "暂停");
    showActivity();
}

void TForm_maintapmill::CheckBox_loopClick() {
    followEndlessBox(*CheckBox_loop, *Edit_playt);
}

void TForm_maintapmill::Edit_playtKeyPress(ui::Edit&, char& key) {
    if (key == 8 || (key >= '0' && key <= '9')) return;
    key = 0;
    platform_.dialogs.messageBeep(1);
}

void TForm_maintapmill::Edit_playtChange(ui::Edit& sender) {
    const std::string text = sender.text();
    if (text.find_first_not_of(' ') != std::string::npos) return;
    sender.setText("1");
    sender.selectAll();
}

}  // namespace tapmill
