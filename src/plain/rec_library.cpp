// The plain-recording panel's library buttons: save, read, rename and delete in "jb_rec\".
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

}  // namespace tapmill
