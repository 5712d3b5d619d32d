// The controls of Panel_homa: the script table, the run controls, the play count and the progress.
// Positions are pixels of the content area at 96 DPI.
#include "app/Unit_main.h"

namespace tapmill {

void TForm_maintapmill::createHomaPanel() {
    ui::Panel& p = *Panel_homa;
    ListView_homa = factory_.listView(p, ID_ListView_homa, {8, 8, 344, 146},
                                      {{"序号", 44, ui::Align::Center},
                                       {"脚本名", 216, ui::Align::Left},
                                       {"启用", 60, ui::Align::Center}});

    Speedbutton_use = factory_.button(p, ID_Speedbutton_use, {8, 162, 64, 26}, "启用");
    FlatSpeedButton1 = factory_.button(p, ID_FlatSpeedButton1, {78, 162, 64, 26}, "编辑");
    Speedbutton_run = factory_.button(p, ID_Speedbutton_run, {148, 162, 64, 26}, "运行");
    Speedbutton_stopa = factory_.button(p, ID_Speedbutton_stopa, {218, 162, 64, 26}, "结束");
    SpeedButton_pausea = factory_.button(p, ID_SpeedButton_pausea, {288, 162, 64, 26}, "暂停");

    addCaption(p, {8, 198, 200, 14}, "播放设置");
    addCaption(p, {16, 223, 68, 14}, "播放次数：");
    Edit_playta = factory_.edit(p, ID_Edit_playta, {84, 220, 60, 20}, "1");
    CheckBox_loopa = factory_.checkBox(p, ID_CheckBox_loopa, {160, 221, 130, 18}, "无限循环播放");
    ProgressBar = factory_.progressBar(p, ID_ProgressBar, {16, 254, 328, 18});

    // The run list lives in a list nobody sees.
    ListBox_homajb = factory_.listBox(p, ID_ListBox_homajb, {200, 30, 140, 100});
    ListBox_homajb->setVisible(false);
    homajbRunList = std::make_unique<scripts::ListBoxRunList>(*ListBox_homajb);
}

}  // namespace tapmill
