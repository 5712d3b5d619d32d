// The editor's building-block section: its controls, and the lines its buttons insert.
#include "scripts/homa_editor_blocks.h"

#include "common/script_names.h"
#include "scripts/Unit_homa.h"
#include "scripts/homa_editor_rows.h"

namespace tapmill {

using namespace homa_rows;

HomaBlockInserts::HomaBlockInserts(TForm_homa& editor, ui::Factory& factory, ui::Control& textPage,
                                   ui::Control& windowPage)
    : editor_(editor), factory_(factory) {
    ui::Control& t = textPage;
    addCaption(t, rowCaption(0), "输入文本：");
    Edit_text = factory_.edit(t, ID_Edit_text, {kFieldX, rowY(0), kInsertX - kFieldX - 4, 22}, "");
    SpeedButton_addtext = factory_.button(t, ID_SpeedButton_addtext, insertButton(kInsertX, 0), "插入文本");

    addCaption(t, rowCaption(1), "随机延时：");
    Edit_rnda = factory_.edit(t, ID_Edit_rnda, {kFieldX, rowY(1), 60, 22}, "500");
    addCaption(t, {kFieldX + 64, rowY(1) + 4, 18, 14}, "到");
    Edit_rndb = factory_.edit(t, ID_Edit_rndb, {kFieldX + 84, rowY(1), 60, 22}, "1000");
    addCaption(t, {kFieldX + 148, rowY(1) + 4, 30, 14}, "毫秒");
    SpeedButton_addrnd = factory_.button(t, ID_SpeedButton_addrnd, insertButton(kInsertX, 1), "插入随机延时");

    addCaption(t, rowCaption(2), "循环：");
    Edit_loop = factory_.edit(t, ID_Edit_loop, {kFieldX, rowY(2), 60, 22}, "2");
    addCaption(t, {kFieldX + 64, rowY(2) + 4, 18, 14}, "次");
    SpeedButton_addloop = factory_.button(t, ID_SpeedButton_addloop, insertButton(kInsertX, 2), "插入循环");

    addCaption(t, rowCaption(3), "标签名：");
    Edit_label = factory_.edit(t, ID_Edit_label, {kFieldX, rowY(3), kSecondInsertX - kFieldX - 4, 22}, "");
    SpeedButton_addlabel = factory_.button(t, ID_SpeedButton_addlabel, insertButton(kSecondInsertX, 3), "插入标签");
    SpeedButton_addjump = factory_.button(t, ID_SpeedButton_addjump, insertButton(kInsertX, 3), "插入跳转");
    addCaption(t, {kCaptionX, rowY(4) + 4, kPageWidth, 14}, "“插入循环”连同“循环结束”一起插入，之后插入的行在循环里。");

    ui::Control& w = windowPage;
    const int titleWidth = kSecondInsertX - kFieldX - 4;
    addCaption(w, rowCaption(0), "窗口标题：");
    Edit_win = factory_.edit(w, ID_Edit_win, {kFieldX, rowY(0), titleWidth, 22}, "");
    SpeedButton_addact = factory_.button(w, ID_SpeedButton_addact, insertButton(kSecondInsertX, 0), "插入激活窗口");
    SpeedButton_addwait = factory_.button(w, ID_SpeedButton_addwait, insertButton(kInsertX, 0), "插入等待窗口");

    addCaption(w, rowCaption(1), "坐标窗口：");
    Edit_anchor = factory_.edit(w, ID_Edit_anchor, {kFieldX, rowY(1), titleWidth, 22}, "");
    SpeedButton_addanchor = factory_.button(w, ID_SpeedButton_addanchor, insertButton(kSecondInsertX, 1), "插入窗口");
    SpeedButton_addscreen = factory_.button(w, ID_SpeedButton_addscreen, insertButton(kInsertX, 1), "插入屏幕坐标");

    // The limit and the label go with every waiting line of the page.
    addCaption(w, rowCaption(2), "限时：");
    Edit_winlimit = factory_.edit(w, ID_Edit_winlimit, {kFieldX, rowY(2), 40, 22}, "");
    addCaption(w, {kFieldX + 44, rowY(2) + 4, 16, 14}, "秒");
    addCaption(w, {kFieldX + 64, rowY(2) + 4, 72, 14}, "超时跳到：");
    Edit_winelse = factory_.edit(w, ID_Edit_winelse, {kFieldX + 138, rowY(2), 94, 22}, "");
    addCaption(w, {kFieldX + 238, rowY(2) + 4, kPageWidth - kFieldX - 238, 14}, "（空：停止）");
    anchorFieldLoan_ =
        std::make_unique<CaptureFieldLoan<ui::TextControl>>(editor_.main_.captureFields.Edit_anchor, *Edit_anchor);
}

void HomaBlockInserts::addCaption(ui::Control& parent, ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(parent, ID_BlockCaption, rect, text));
}

void HomaBlockInserts::onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) {
    if (event == ui::Event::KeyPress) {
        // The counts take digits only, as the coordinates do.
        if (controlId == ID_Edit_rnda || controlId == ID_Edit_rndb || controlId == ID_Edit_loop ||
            controlId == ID_Edit_winlimit)
            editor_.Edit_xKeyPress(args.key);
        return;
    }
    if (event != ui::Event::Click) return;
    switch (controlId) {
        case ID_SpeedButton_addtext: SpeedButton_addtextClick(); break;
        case ID_SpeedButton_addrnd: SpeedButton_addrndClick(); break;
        case ID_SpeedButton_addloop: SpeedButton_addloopClick(); break;
        case ID_SpeedButton_addlabel: SpeedButton_addlabelClick(); break;
        case ID_SpeedButton_addjump: SpeedButton_addjumpClick(); break;
        case ID_SpeedButton_addwait: SpeedButton_addwaitClick(); break;
        case ID_SpeedButton_addact: SpeedButton_addactClick(); break;
        case ID_SpeedButton_addanchor: SpeedButton_addanchorClick(); break;
        case ID_SpeedButton_addscreen: SpeedButton_addscreenClick(); break;
        default: break;
    }
}

void HomaBlockInserts::enableInserts(bool enabled) {
    for (ui::Button* button : {SpeedButton_addtext.get(), SpeedButton_addrnd.get(), SpeedButton_addloop.get(),
                               SpeedButton_addlabel.get(), SpeedButton_addjump.get(), SpeedButton_addwait.get(),
                               SpeedButton_addact.get(), SpeedButton_addanchor.get(), SpeedButton_addscreen.get()})
        button->setEnabled(enabled);
}

bool HomaBlockInserts::filled(ui::Edit& field, const std::string& refusal) {
    if (!trimSpaces(field.text()).empty()) return true;
    editor_.refuse(refusal, field);
    return false;
}

void HomaBlockInserts::SpeedButton_addtextClick() {
    if (!editor_.currentPositionTakesInsertions() || !filled(*Edit_text, "要输入的文本不能为空！")) return;
    editor_.insertAboveCurrent("输入文本：" + Edit_text->text(), *Edit_text);
}

void HomaBlockInserts::SpeedButton_addrndClick() {
    if (!editor_.currentPositionTakesInsertions() || !filled(*Edit_rnda, "随机延时的范围不能为空！") ||
        !filled(*Edit_rndb, "随机延时的范围不能为空！"))
        return;
    editor_.insertAboveCurrent("随机延时" + Edit_rnda->text() + "到" + Edit_rndb->text() + "毫秒", *Edit_rnda);
}

void HomaBlockInserts::SpeedButton_addloopClick() {
    if (!editor_.currentPositionTakesInsertions() || !filled(*Edit_loop, "循环次数不能为空！")) return;
    const int chosen = editor_.lines->currentLine();
    editor_.insertAboveCurrent("循环" + Edit_loop->text() + "次", *Edit_loop);
    editor_.insertAboveCurrent("循环结束", *Edit_loop);
    editor_.lines->choose(chosen + 1);
}

void HomaBlockInserts::SpeedButton_addlabelClick() {
    if (!editor_.currentPositionTakesInsertions() || !filled(*Edit_label, "标签名不能为空！")) return;
    editor_.insertAboveCurrent("标签：" + Edit_label->text(), *Edit_label);
}

void HomaBlockInserts::SpeedButton_addjumpClick() {
    if (!editor_.currentPositionTakesInsertions() || !filled(*Edit_label, "标签名不能为空！")) return;
    editor_.insertAboveCurrent("跳到：" + Edit_label->text(), *Edit_label);
}

void HomaBlockInserts::SpeedButton_addwaitClick() { insertWindowLine("等待窗口：", *Edit_win, "窗口标题不能为空！"); }

void HomaBlockInserts::SpeedButton_addactClick() { insertWindowLine("激活窗口：", *Edit_win, "窗口标题不能为空！"); }

void HomaBlockInserts::SpeedButton_addanchorClick() {
    insertWindowLine("窗口：", *Edit_anchor, "坐标窗口不能为空！可在抓点时按抓点热键填入指针下的窗口。");
}

void HomaBlockInserts::SpeedButton_addscreenClick() {
    if (editor_.currentPositionTakesInsertions()) editor_.insertAboveCurrent("屏幕坐标", *Edit_anchor);
}

void HomaBlockInserts::insertWindowLine(const std::string& word, ui::Edit& window, const std::string& refusal) {
    if (!editor_.currentPositionTakesInsertions() || !filled(window, refusal)) return;
    const std::optional<std::string> end = waitEnd();
    if (end) editor_.insertAboveCurrent(word + window.text() + *end, window);
}

std::optional<std::string> HomaBlockInserts::waitEnd() {
    const std::string limit = trimSpaces(Edit_winlimit->text());
    const std::string otherwise = trimSpaces(Edit_winelse->text());
    // Without a limit the line waits until what it waits for comes: there is no "otherwise".
    if (!otherwise.empty() && limit.empty()) {
        editor_.refuse("填写超时跳到的标签时，也要填写限时！", *Edit_winlimit);
        return std::nullopt;
    }
    std::string end;
    if (!limit.empty()) end += "，限时" + limit + "秒";
    if (!otherwise.empty()) end += "，否则跳到：" + otherwise;
    return end;
}

}  // namespace tapmill
