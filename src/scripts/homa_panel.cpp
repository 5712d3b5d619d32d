// Panel_homa: the table of hand-written scripts, the enabled script, the editor's entry and the
// run controls.
#include "app/Unit_main.h"
#include "app/play_count_field.h"
#include "common/intparse.h"
#include "common/script_names.h"
#include "scripts/Unit_homa.h"

namespace tapmill {

namespace {

constexpr int kNameColumn = 1;

}  // namespace

void TForm_maintapmill::relistview(ui::ListView& table, const std::string& enabledName) {
    table.clear();
    int number = 0;
    for (const std::string& name : scriptNames(exedir + "jb_homa\\"))
        table.addRow({std::to_string(++number), name, name == enabledName ? "是" : "否"});
}

void TForm_maintapmill::Speedbutton_useClick() {
    const int row = ListView_homa->selectedIndex();
    if (row < 0) {
        platform_.dialogs.messageBox("请选择您要读取的脚本！", platform::kRemindCaption, platform::MessageButtons::Ok);
        return;
    }
    useScript(ListView_homa->cell(row, kNameColumn));
}

void TForm_maintapmill::useScript(const std::string& name) {
    usename = name;
    relistview(*ListView_homa, usename);
}

void TForm_maintapmill::FlatSpeedButton1Click() {
    const int row = ListView_homa->selectedIndex();
    if (row >= 0) {
        editname = ListView_homa->cell(row, kNameColumn);
    } else {
        if (platform_.dialogs.messageBox("您没选择任何脚本进行编辑，是否要新建一个脚本。", platform::kRemindCaption,
                                         platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
            return;
        editname.clear();
    }
    showScriptEditor();
}

// A new editor each time, freed when it closes.
void TForm_maintapmill::showScriptEditor() {
    TForm_homa editor(*this, platform_, factory_);
    editor.window->showModal();
}

void TForm_maintapmill::Speedbutton_runClick() {
    // The count is read first: a count that is no 32-bit number is reported and leaves Run usable.
    const int32_t count = CheckBox_loopa->checked() ? kEndlessPlayCount : parseInt32Strict(Edit_playta->text());
    Speedbutton_run->setEnabled(false);
    runhoma(count, usename, *homajbRunList);
    Speedbutton_run->setEnabled(true);
}

void TForm_maintapmill::Speedbutton_stopaClick() {
    running = runpause = false;
    Speedbutton_run->setEnabled(true);
    SpeedButton_pausea->setText("暂停");
}

void TForm_maintapmill::SpeedButton_pauseaClick() {
    if (!running) return;
    runpause = !runpause;
    followPauses();
    SpeedButton_pausea->setText(runpause ? "继续" : "暂停");
    showActivity();
}

void TForm_maintapmill::followPauses() {
    heldInputs_.followPause(HeldInputs::Plain, playpause);
    heldInputs_.followPause(HeldInputs::Script, runpause);
}

void TForm_maintapmill::CheckBox_loopaClick() {
    followEndlessBox(*CheckBox_loopa, *Edit_playta);
}

void TForm_maintapmill::playCountFieldEvent(ui::Edit& field, ui::Event event, ui::EventArgs& args) {
    if (event == ui::Event::KeyPress) Edit_playtKeyPress(field, args.key);
    if (event == ui::Event::Change) Edit_playtChange(field);
}

}  // namespace tapmill
