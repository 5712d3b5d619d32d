// The editor's five insert buttons: each builds a command line from its source and puts it
// directly above the chosen line, which stays chosen, so successive lines appear in the order made.
#include <optional>

#include "common/gbk.h"
#include "common/script_names.h"
#include "scripts/Unit_homa.h"

namespace tapmill {

namespace {

std::string keyLinePrefix(const std::string& state) {
    if (state == "按下") return "按下键盘的";
    if (state == "弹起") return "弹起键盘的";
    return "单击键盘的";
}

}  // namespace

// Nothing chosen (a script just read, or a list just reset) leaves no line to insert above, as
// the start line does.
bool TForm_homa::currentPositionTakesInsertions() {
    if (lines->currentLine() > 0) return true;
    remind("请选择除'开始'以外的其它项前插入脚本！");
    return false;
}

void TForm_homa::insertAboveCurrent(const std::string& line, ui::Control& source) {
    // Script files are GBK: a character it cannot hold would be stored damaged.
    std::optional<std::string> bytes = utf8ToGbk(line);
    if (!bytes) return refuse("这一行含有脚本文件无法保存的字符，请修改后再插入！", source);
    const int chosen = lines->currentLine();
    lines->insert(chosen, std::move(*bytes));
    lines->setHighlighted(chosen, false);
    lines->setHighlighted(chosen + 1, true);
}

// Any text is taken as the amount: one that is no number is reported when the script runs.
void TForm_homa::SpeedButton_add1Click() {
    if (!currentPositionTakesInsertions()) return;
    if (Edit_delay->text().empty()) return refuse("当选择插入延时的时候，延时的时间不能为空！", *Edit_delay);
    insertAboveCurrent("延时" + Edit_delay->text() + ComboBox_s->text(), *Edit_delay);
}

void TForm_homa::SpeedButton_add2Click() {
    if (!currentPositionTakesInsertions()) return;
    if (Edit_kb->text().empty()) return refuse("选择插入的键值不能为空！", *Edit_kb);
    insertAboveCurrent(keyLinePrefix(ComboBox_kbstate->text()) + Edit_kb->text(), *Edit_kb);
}

void TForm_homa::SpeedButton_add3Click() {
    if (!currentPositionTakesInsertions()) return;
    const int chosen = ComboBox_mou->selectedIndex();
    if (chosen < 0) return refuse("选择插入的鼠标事件不能为空！", *ComboBox_mou);
    insertAboveCurrent(ComboBox_mou->item(chosen), *ComboBox_mou);
}

// A captured point reads "X=" x "y=" y already.
void TForm_homa::SpeedButton_add4Click() {
    if (!currentPositionTakesInsertions()) return;
    const int chosen = ComboBox_con->selectedIndex();
    if (chosen < 0) return refuse("抓点坐标不能为空！", *ComboBox_con);
    insertAboveCurrent("鼠标移至" + ComboBox_con->item(chosen), *ComboBox_con);
}

void TForm_homa::SpeedButton_add5Click() {
    if (!currentPositionTakesInsertions()) return;
    if (trimSpaces(Edit_x->text()).empty() || trimSpaces(Edit_y->text()).empty())
        return refuse("x或y坐标不能为空！", *Edit_x);
    insertAboveCurrent("鼠标移至X=" + Edit_x->text() + "y=" + Edit_y->text(), *Edit_x);
}

}  // namespace tapmill
