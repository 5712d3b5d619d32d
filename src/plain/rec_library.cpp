// The plain-recording panel's library buttons: save, read, rename and delete in "jb_rec\", and the
// conversion of the current recording into a hand-written script.
#include "app/Unit_main.h"
#include "common/counts.h"
#include "plain/frame_step.h"

namespace tapmill {

void TForm_maintapmill::createRecLibrary() {
    ScriptLibrary::Controls controls{*Edit_recjbname, *ComboBox_recjbname, *Label_recjbname, *Label_recstate};
    recLibrary_ = std::make_unique<ScriptLibrary>(
        platform_, exedir, "jb_rec\\", "jb_rec", controls, recname,
        [this](const std::string& path) { Label_recfra->setText(lastIndexText(recordingFrameCount(path))); });
}

void TForm_maintapmill::SpeedButton_saverecClick() { recLibrary_->save(); }
void TForm_maintapmill::SpeedButton_readrecClick() { recLibrary_->read(); }
void TForm_maintapmill::SpeedButton_renameClick() { recLibrary_->rename(); }
void TForm_maintapmill::SpeedButton_delrecClick() { recLibrary_->remove(); }

void TForm_maintapmill::SpeedButton_toscriptClick() {
    enableRecActions(false);
    const bool converted = recConversion_.convert(recname);
    enableRecActions(true);
    if (!converted) return;
    relistview(*ListView_homa, usename);
    recLibrary_->showStatus("已转换…");
    if (platform_.dialogs.messageBox("已转换为脚本，是否打开编辑？", platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return;
    editname = recname;
    showScriptEditor();
}

}  // namespace tapmill
