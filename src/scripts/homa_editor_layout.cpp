// The controls of the script editor. Positions are pixels of the client area at 96 DPI: the
// script's lines on the left, the command sources with their insert buttons on the right, below
// them point capture, the run controls and the file buttons.
#include "scripts/Unit_homa.h"

namespace tapmill {

namespace {

constexpr int kClientWidth = 560;
constexpr int kOwnControlsHeight = 352;
constexpr int kClientHeight = kOwnControlsHeight + HomaBlockInserts::kHeight + HomaScreenInserts::kHeight;

constexpr int kLabelX = 236;      // captions of the command sources
constexpr int kFieldX = 308;      // their fields
constexpr int kInsertX = 472;     // their insert buttons
constexpr int kInsertWidth = 80;
constexpr int kRowHeight = 32;
constexpr int kFirstRowY = 10;

int rowY(int row) { return kFirstRowY + row * kRowHeight; }

}  // namespace

void TForm_homa::addCaption(ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(*window, ID_HomaCaption, rect, text));
}

void TForm_homa::createControls() {
    ui::WindowSpec shape;
    shape.className = "TForm_homa";
    shape.caption = "自编脚本";
    shape.clientWidth = kClientWidth;
    shape.clientHeight = kClientHeight;
    shape.minimizeBox = false;
    // Owned by the main window: it stays above it and has no taskbar button of its own.
    shape.owner = main_.window->nativeHandle();
    shape.defaultButtonId = ID_SpeedButton_save;
    // Ctrl+Z undoes inside the editor; ControlKeyPause keeps the play key off it meanwhile.
    shape.shortcuts = {{platform::kModControl, 'Z', ID_SpeedButton_undo}};
    window = factory_.window(shape, *this);
    ui::Window& w = *window;

    // The script: its name, its lines, and the buttons that rearrange them.
    addCaption({8, 13, 56, 14}, "脚本名：");
    Edit_jbname = factory_.edit(w, ID_Edit_jbname, {64, 10, 160, 22}, "");
    // Shift and Ctrl extend the choice, for deleting and moving several lines at once.
    ListBox_homajba = factory_.listBox(w, ID_ListBox_homajba, {8, 40, 216, 234}, true);
    // The text view stands in the list's place.
    Memo_homajba = factory_.textArea(w, ID_Memo_homajba, {8, 40, 216, 234});
    SpeedButton_up = factory_.button(w, ID_SpeedButton_up, {8, 282, 51, 26}, "上移");
    SpeedButton_down = factory_.button(w, ID_SpeedButton_down, {63, 282, 51, 26}, "下移");
    SpeedButton_del = factory_.button(w, ID_SpeedButton_del, {118, 282, 51, 26}, "删除行");
    SpeedButton_renew = factory_.button(w, ID_SpeedButton_renew, {173, 282, 51, 26}, "重置");
    SpeedButton_modify = factory_.button(w, ID_SpeedButton_modify, {8, 314, 51, 26}, "修改");
    SpeedButton_undo = factory_.button(w, ID_SpeedButton_undo, {63, 314, 51, 26}, "撤销");
    SpeedButton_text = factory_.button(w, ID_SpeedButton_text, {118, 314, 106, 26}, "文本编辑");

    // Each command source with the button that inserts its line above the chosen one.
    addCaption({kLabelX, rowY(0) + 4, 70, 14}, "延时：");
    Edit_delay = factory_.edit(w, ID_Edit_delay, {kFieldX, rowY(0), 76, 22}, "1000");
    ComboBox_s = factory_.comboBox(w, ID_ComboBox_s, {388, rowY(0), 72, 120}, true);
    ComboBox_s->addItem("毫秒");
    ComboBox_s->addItem("秒");
    SpeedButton_add1 = factory_.button(w, ID_SpeedButton_add1, {kInsertX, rowY(0) - 1, kInsertWidth, 24}, "插入延时");

    addCaption({kLabelX, rowY(1) + 4, 70, 14}, "按键：");
    Edit_kb = factory_.edit(w, ID_Edit_kb, {kFieldX, rowY(1), 76, 22}, "", ui::EditStyle::ReadOnly);
    ComboBox_kbstate = factory_.comboBox(w, ID_ComboBox_kbstate, {388, rowY(1), 72, 120}, true);
    for (const char* state : {"单击", "按下", "弹起"}) ComboBox_kbstate->addItem(state);
    SpeedButton_add2 = factory_.button(w, ID_SpeedButton_add2, {kInsertX, rowY(1) - 1, kInsertWidth, 24}, "插入按键");

    addCaption({kLabelX, rowY(2) + 4, 70, 14}, "鼠标事件：");
    ComboBox_mou = factory_.comboBox(w, ID_ComboBox_mou, {kFieldX, rowY(2), 152, 160}, true);
    for (const char* item : {"单击鼠标左键", "双击鼠标左键", "单击鼠标右键", "按下鼠标左键", "弹起鼠标左键"})
        ComboBox_mou->addItem(item);
    SpeedButton_add3 = factory_.button(w, ID_SpeedButton_add3, {kInsertX, rowY(2) - 1, kInsertWidth, 24}, "插入鼠标");

    addCaption({kLabelX, rowY(3) + 4, 70, 14}, "抓点坐标：");
    ComboBox_con = factory_.comboBox(w, ID_ComboBox_con, {kFieldX, rowY(3), 152, 160}, true);
    SpeedButton_add4 = factory_.button(w, ID_SpeedButton_add4, {kInsertX, rowY(3) - 1, kInsertWidth, 24}, "插入抓点");

    addCaption({kLabelX, rowY(4) + 4, 40, 14}, "坐标");
    addCaption({kFieldX - 26, rowY(4) + 4, 24, 14}, "X：");
    Edit_x = factory_.edit(w, ID_Edit_x, {kFieldX, rowY(4), 60, 22}, "");
    addCaption({374, rowY(4) + 4, 24, 14}, "Y：");
    Edit_y = factory_.edit(w, ID_Edit_y, {400, rowY(4), 60, 22}, "");
    SpeedButton_add5 = factory_.button(w, ID_SpeedButton_add5, {kInsertX, rowY(4) - 1, kInsertWidth, 24}, "插入坐标");

    // Point capture: Ctrl+1 puts the pointer's position into the point list.
    SpeedButton_tzlz = factory_.button(w, ID_SpeedButton_tzlz, {kLabelX, 178, 80, 26}, "开始抓点");
    SpeedButton_jszd = factory_.button(w, ID_SpeedButton_jszd, {kLabelX + 86, 178, 80, 26}, "结束抓点");
    Label_con = factory_.label(w, ID_Label_con, {kLabelX + 176, 184, 120, 14}, "开启抓点……");
    Label_con->setVisible(false);
    addCaption({kLabelX, 212, 316, 14}, "提示：点入“按键”框后按下任一键即得键名；");
    addCaption({kLabelX, 230, 316, 14}, "开始抓点后，指针停在哪里按Ctrl+1就记下哪里。");

    SpeedButton_run = factory_.button(w, ID_SpeedButton_run, {kLabelX, 256, 76, 26}, "运行");
    SpeedButton_stopb = factory_.button(w, ID_SpeedButton_stopb, {kLabelX + 80, 256, 76, 26}, "停止");
    SpeedButton_pauseb = factory_.button(w, ID_SpeedButton_pauseb, {kLabelX + 160, 256, 76, 26}, "暂停");

    SpeedButton_newjb = factory_.button(w, ID_SpeedButton_newjb, {kLabelX, 314, 76, 26}, "新建脚本");
    SpeedButton_save = factory_.button(w, ID_SpeedButton_save, {kLabelX + 80, 314, 76, 26}, "保存");
    SpeedButton_deljb = factory_.button(w, ID_SpeedButton_deljb, {kLabelX + 160, 314, 76, 26}, "删除脚本");
    SpeedButton_exit = factory_.button(w, ID_SpeedButton_exit, {kLabelX + 240, 314, 76, 26}, "退出");

    blockInserts = std::make_unique<HomaBlockInserts>(*this, factory_, w, kOwnControlsHeight);
    screenInserts = std::make_unique<HomaScreenInserts>(*this, platform_.screen, factory_, w,
                                                        kOwnControlsHeight + HomaBlockInserts::kHeight);
}

}  // namespace tapmill
