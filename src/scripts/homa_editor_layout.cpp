// The controls of the script editor. Positions are pixels of the client area at 96 DPI: the
// script's lines on the left; on the right the pages of command sources with their insert
// buttons, and below them point capture, the run controls and the file buttons. The window is
// small enough for a 1366 × 768 screen at twice the normal scale.
#include "scripts/Unit_homa.h"
#include "scripts/homa_editor_rows.h"

namespace tapmill {

namespace {

using namespace homa_rows;

constexpr int kPagesX = 236;
constexpr int kPagesY = 8;
constexpr int kClientWidth = kPagesX + kPageWidth + 8;
constexpr int kCaptureY = 240;
constexpr int kRunY = 272;
constexpr int kFileY = 306;
constexpr int kClientHeight = kFileY + 34;
// The second field of a row (a unit or a key action).
constexpr int kSecondFieldX = kFieldX + 80;

}  // namespace

void TForm_homa::addCaption(ui::Control& parent, ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(parent, ID_HomaCaption, rect, text));
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
    // Ctrl+Z undoes inside the editor (a text field with the focus undoes its own typing);
    // ControlKeyPause keeps the play key off it meanwhile.
    shape.shortcuts = {{platform::kModControl, 'Z', ID_SpeedButton_undo}};
    window = factory_.window(shape, *this);
    ui::Window& w = *window;

    // The script: its name, its lines, and the buttons that rearrange them.
    addCaption(w, {8, 11, 56, 14}, "脚本名：");
    Edit_jbname = factory_.edit(w, ID_Edit_jbname, {64, 8, 160, 22}, "");
    // Shift and Ctrl extend the choice, for deleting and moving several lines at once.
    ListBox_homajba = factory_.listBox(w, ID_ListBox_homajba, {8, 36, 216, 232}, true);
    // The text view stands in the list's place.
    Memo_homajba = factory_.textArea(w, ID_Memo_homajba, {8, 36, 216, 232});
    SpeedButton_up = factory_.button(w, ID_SpeedButton_up, {8, 274, 51, 26}, "上移");
    SpeedButton_down = factory_.button(w, ID_SpeedButton_down, {63, 274, 51, 26}, "下移");
    SpeedButton_del = factory_.button(w, ID_SpeedButton_del, {118, 274, 51, 26}, "删除行");
    SpeedButton_renew = factory_.button(w, ID_SpeedButton_renew, {173, 274, 51, 26}, "重置");
    SpeedButton_modify = factory_.button(w, ID_SpeedButton_modify, {8, kFileY, 51, 26}, "修改");
    SpeedButton_undo = factory_.button(w, ID_SpeedButton_undo, {63, kFileY, 51, 26}, "撤销");
    SpeedButton_text = factory_.button(w, ID_SpeedButton_text, {118, kFileY, 106, 26}, "文本编辑");

    pages = std::make_unique<HomaPages>(factory_, w, ui::Rect{kPagesX, kPagesY, kPageWidth, HomaPages::height()});
    ui::Panel& keys = pages->page(HomaPages::Keys);

    // Each command source with the button that inserts its line above the chosen one.
    addCaption(keys, rowCaption(0), "延时：");
    Edit_delay = factory_.edit(keys, ID_Edit_delay, {kFieldX, rowY(0), 76, 22}, "1000");
    ComboBox_s = factory_.comboBox(keys, ID_ComboBox_s, {kSecondFieldX, rowY(0), 72, 120}, true);
    ComboBox_s->addItem("毫秒");
    ComboBox_s->addItem("秒");
    SpeedButton_add1 = factory_.button(keys, ID_SpeedButton_add1, insertButton(kInsertX, 0), "插入延时");

    addCaption(keys, rowCaption(1), "按键：");
    Edit_kb = factory_.edit(keys, ID_Edit_kb, {kFieldX, rowY(1), 76, 22}, "", ui::EditStyle::ReadOnly);
    ComboBox_kbstate = factory_.comboBox(keys, ID_ComboBox_kbstate, {kSecondFieldX, rowY(1), 72, 120}, true);
    for (const char* state : {"单击", "按下", "弹起"}) ComboBox_kbstate->addItem(state);
    SpeedButton_add2 = factory_.button(keys, ID_SpeedButton_add2, insertButton(kInsertX, 1), "插入按键");

    addCaption(keys, rowCaption(2), "鼠标事件：");
    ComboBox_mou = factory_.comboBox(keys, ID_ComboBox_mou, {kFieldX, rowY(2), 152, 160}, true);
    for (const char* item : {"单击鼠标左键", "双击鼠标左键", "单击鼠标右键", "按下鼠标左键", "弹起鼠标左键"})
        ComboBox_mou->addItem(item);
    SpeedButton_add3 = factory_.button(keys, ID_SpeedButton_add3, insertButton(kInsertX, 2), "插入鼠标");

    addCaption(keys, rowCaption(3), "抓点坐标：");
    ComboBox_con = factory_.comboBox(keys, ID_ComboBox_con, {kFieldX, rowY(3), 152, 160}, true);
    SpeedButton_add4 = factory_.button(keys, ID_SpeedButton_add4, insertButton(kInsertX, 3), "插入抓点");

    addCaption(keys, {kCaptionX, rowY(4) + 4, 40, 14}, "坐标");
    addCaption(keys, {kFieldX - 26, rowY(4) + 4, 24, 14}, "X：");
    Edit_x = factory_.edit(keys, ID_Edit_x, {kFieldX, rowY(4), 60, 22}, "");
    addCaption(keys, {kFieldX + 66, rowY(4) + 4, 24, 14}, "Y：");
    Edit_y = factory_.edit(keys, ID_Edit_y, {kFieldX + 92, rowY(4), 60, 22}, "");
    SpeedButton_add5 = factory_.button(keys, ID_SpeedButton_add5, insertButton(kInsertX, 4), "插入坐标");
    addCaption(keys, {kCaptionX, rowY(5) + 4, kPageWidth, 14}, "提示：点入“按键”框后按下任一键即得键名；");
    addCaption(keys, {kCaptionX, rowY(6) + 4, kPageWidth, 14}, "开始抓点后，指针停在哪里按Ctrl+1就记下哪里。");

    blockInserts = std::make_unique<HomaBlockInserts>(*this, factory_, pages->page(HomaPages::Blocks),
                                                      pages->page(HomaPages::Waits));
    screenInserts =
        std::make_unique<HomaScreenInserts>(*this, platform_.screen, factory_, pages->page(HomaPages::Waits));

    // Point capture: Ctrl+1 puts the pointer's position into the point list, and fills the window
    // and colour fields.
    SpeedButton_tzlz = factory_.button(w, ID_SpeedButton_tzlz, {kPagesX, kCaptureY, 80, 26}, "开始抓点");
    SpeedButton_jszd = factory_.button(w, ID_SpeedButton_jszd, {kPagesX + 86, kCaptureY, 80, 26}, "结束抓点");
    Label_con = factory_.label(w, ID_Label_con, {kPagesX + 176, kCaptureY + 6, 120, 14}, "开启抓点……");
    Label_con->setVisible(false);

    SpeedButton_run = factory_.button(w, ID_SpeedButton_run, {kPagesX, kRunY, 76, 26}, "运行");
    SpeedButton_stopb = factory_.button(w, ID_SpeedButton_stopb, {kPagesX + 80, kRunY, 76, 26}, "停止");
    SpeedButton_pauseb = factory_.button(w, ID_SpeedButton_pauseb, {kPagesX + 160, kRunY, 76, 26}, "暂停");

    SpeedButton_newjb = factory_.button(w, ID_SpeedButton_newjb, {kPagesX, kFileY, 76, 26}, "新建脚本");
    SpeedButton_save = factory_.button(w, ID_SpeedButton_save, {kPagesX + 80, kFileY, 76, 26}, "保存");
    SpeedButton_deljb = factory_.button(w, ID_SpeedButton_deljb, {kPagesX + 160, kFileY, 76, 26}, "删除脚本");
    SpeedButton_exit = factory_.button(w, ID_SpeedButton_exit, {kPagesX + 240, kFileY, 76, 26}, "退出");
}

}  // namespace tapmill
