// The editor's five insert buttons: each builds a command line from its source and puts it
// directly above the chosen line, which stays chosen, so successive lines appear in the order made.
#include <optional>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "common/script_names.h"
#include "common/window_match.h"
#include "scripts/Unit_homa.h"
#include "scripts/script_line.h"
#include "scripts/script_signs.h"
#include "scripts/script_words.h"
#include "scripts/window_anchor.h"

namespace tapmill {

namespace {

const char kUnsavableLine[] = "这一行含有脚本文件无法保存的字符，请修改后再插入！";
const char kAnchorWindowGone[] = "上面的“窗口：”一行所指的窗口现在找不到，无法把抓到的点换算成窗口里的位置！";
const char kPressLine[] = "按下键盘的";
const char kReleaseLine[] = "弹起键盘的";
const char kClickLine[] = "单击键盘的";

// The lines of a captured key: a combination ("CONTROL+S", as the key field captures it) becomes
// its modifiers held around the key, which is how the script language writes combinations.
std::vector<std::string> keyLines(const std::string& state, const std::string& captured) {
    std::vector<std::string> modifiers;
    size_t from = 0;
    for (size_t plus = captured.find('+'); plus != std::string::npos && plus + 1 < captured.size();
         plus = captured.find('+', from)) {
        modifiers.push_back(captured.substr(from, plus - from));
        from = plus + 1;
    }
    const std::string key = captured.substr(from);
    std::vector<std::string> lines;
    if (state != "弹起")
        for (const std::string& m : modifiers) lines.push_back(kPressLine + m);
    lines.push_back((state == "按下" ? kPressLine : state == "弹起" ? kReleaseLine : kClickLine) + key);
    if (state != "按下")
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) lines.push_back(kReleaseLine + *m);
    return lines;
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
    if (!bytes) return refuse(kUnsavableLine, source);
    const int chosen = lines->currentLine();
    // 修改 has the chosen line rebuilt: the first new line takes its place.
    if (replacingCurrent_) {
        lines->remove(chosen);
        replacingCurrent_ = false;
    }
    // A "," typed into a title field before "限时" is read as the sign, as the text view reads it.
    lines->insert(chosen, scripts::withFullWidthSigns(*bytes));
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
    // A text the script file cannot hold is refused before any of its lines goes in.
    if (!utf8ToGbk(Edit_kb->text())) return refuse(kUnsavableLine, *Edit_kb);
    for (const std::string& line : keyLines(ComboBox_kbstate->text(), Edit_kb->text())) insertAboveCurrent(line, *Edit_kb);
}

void TForm_homa::SpeedButton_add3Click() {
    if (!currentPositionTakesInsertions()) return;
    const int chosen = ComboBox_mou->selectedIndex();
    if (chosen < 0) return refuse("选择插入的鼠标事件不能为空！", *ComboBox_mou);
    insertAboveCurrent(ComboBox_mou->item(chosen), *ComboBox_mou);
}

// A captured point reads "X=" x "y=" y already, on the screen. Below a window line the move is a
// position in that window's client area, so the point is taken into the window where it is now.
void TForm_homa::SpeedButton_add4Click() {
    if (!currentPositionTakesInsertions()) return;
    const int chosen = ComboBox_con->selectedIndex();
    if (chosen < 0) return refuse("抓点坐标不能为空！", *ComboBox_con);
    const platform::Point screen = scripts::lineMoveTarget(scripts::scriptWords().moveTo + ComboBox_con->item(chosen));
    const std::optional<platform::Point> point = pointForInsertion(screen);
    if (!point) return refuse(kAnchorWindowGone, *ComboBox_con);
    insertAboveCurrent("鼠标移至X=" + std::to_string(point->x) + "y=" + std::to_string(point->y), *ComboBox_con);
}

std::optional<platform::Point> TForm_homa::pointForInsertion(platform::Point screen) {
    const std::optional<scripts::AnchorLine> anchor = scripts::anchorInForce(*lines, lines->currentLine());
    if (!anchor) return screen;
    const std::optional<scripts::AnchorTarget> window = scripts::findAnchorWindow(platform_.topWindows, *anchor);
    if (!window) return std::nullopt;
    return mapOutOfWindow(screen, anchor->dpi, window->place);
}

void TForm_homa::SpeedButton_add5Click() {
    if (!currentPositionTakesInsertions()) return;
    if (trimSpaces(Edit_x->text()).empty() || trimSpaces(Edit_y->text()).empty())
        return refuse("x或y坐标不能为空！", *Edit_x);
    insertAboveCurrent("鼠标移至X=" + Edit_x->text() + "y=" + Edit_y->text(), *Edit_x);
}

}  // namespace tapmill
