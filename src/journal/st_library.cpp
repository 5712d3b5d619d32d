// The journal panel's library buttons: save, read, rename and delete in "jb_strec\". Reading a
// journal makes it the current journal and loads it into the journal table.
#include "app/Unit_main.h"
#include "common/counts.h"

namespace tapmill {

void TForm_maintapmill::createJournalLibrary() {
    ScriptLibrary::Controls controls{*Edit_stjbname, *ComboBox_stjb, *Label_stjbname, *label_ststate};
    stLibrary_ = std::make_unique<ScriptLibrary>(
        platform_, exedir, "jb_strec\\", "stjb", controls, stname,
        [this](const std::string& path) { label_stfra->setText(lastIndexText(stjournal.load(path))); });
}

void TForm_maintapmill::SpeedButton1Click() { stLibrary_->save(); }
void TForm_maintapmill::SpeedButton_readstClick() { stLibrary_->read(); }
void TForm_maintapmill::SpeedButton_strenameClick() { stLibrary_->rename(); }
void TForm_maintapmill::SpeedButton_delstClick() { stLibrary_->remove(); }

}  // namespace tapmill
