// Changing a line in place: a double click loads the line into the fields of its kind, and 修改
// has the insert button of that kind rebuild the chosen line from them.
#include <string>

#include "common/gbk.h"
#include "scripts/Unit_homa.h"
#include "scripts/script_fault.h"
#include "scripts/script_line.h"
#include "scripts/script_words.h"

namespace tapmill {

namespace {

const char kNotFromFields[] = "这一行不是右侧各栏所能写出的命令，请在“文本编辑”中修改！";
constexpr size_t kKeyPrefixBytes = 10;
constexpr size_t kSecondBytes = 2;

// The bytes between the command's first `head` and last `tail` bytes, as the fields show text.
std::string operand(const std::string& line, size_t head, size_t tail = 0) {
    return line.size() >= head + tail ? gbkToUtf8Lossy(line.substr(head, line.size() - head - tail)) : std::string();
}

}  // namespace

void TForm_homa::ListBox_homajbaDblClick() {
    lines->takeChoiceFromView();
    const int chosen = lines->currentLine();
    if (chosen < 0) return;
    const std::string line = lines->line(chosen);
    const scripts::ScriptWords& words = scripts::scriptWords();
    const scripts::LineKind kind = scripts::classifyLine(line);
    switch (kind) {
        case scripts::LineKind::DelayMilliseconds:
            Edit_delay->setText(operand(line, words.delay.size(), words.milliseconds.size()));
            ComboBox_s->setSelectedIndex(0);
            break;
        case scripts::LineKind::DelaySeconds:
            Edit_delay->setText(operand(line, words.delay.size(), kSecondBytes));
            ComboBox_s->setSelectedIndex(1);
            break;
        case scripts::LineKind::KeyClick:
        case scripts::LineKind::KeyDown:
        case scripts::LineKind::KeyUp:
            Edit_kb->setText(operand(line, kKeyPrefixBytes));
            ComboBox_kbstate->setSelectedIndex(kind == scripts::LineKind::KeyClick  ? 0
                                               : kind == scripts::LineKind::KeyDown ? 1
                                                                                    : 2);
            break;
        case scripts::LineKind::LeftClick:
        case scripts::LineKind::LeftDoubleClick:
        case scripts::LineKind::RightClick:
        case scripts::LineKind::LeftDown:
        case scripts::LineKind::LeftUp:
            for (int i = 0; i < ComboBox_mou->count(); ++i)
                if (ComboBox_mou->item(i) == gbkToUtf8Lossy(line)) ComboBox_mou->setSelectedIndex(i);
            break;
        case scripts::LineKind::MoveTo:
            try {
                const platform::Point point = scripts::lineMoveTarget(line);
                Edit_x->setText(std::to_string(point.x));
                Edit_y->setText(std::to_string(point.y));
            } catch (const scripts::ScriptFault&) {
                return remind(kNotFromFields);
            }
            break;
        case scripts::LineKind::Start:
        case scripts::LineKind::End:
            return;
        default:
            remind(kNotFromFields);
            return;
    }
    // The fields just filled are the ones to change: their page comes to the front.
    pages->show(HomaPages::Keys);
}

void TForm_homa::SpeedButton_modifyClick() {
    const int chosen = lines->currentLine();
    if (chosen < 0) return remind("请先选择要修改的行！");
    const std::string line = lines->line(chosen);
    const scripts::LineKind kind = scripts::classifyLine(line);
    if (chosen == 0 || kind == scripts::LineKind::End) return remind("不能修改原有的'开始'或'结束'符号！");
    replacingCurrent_ = true;
    switch (kind) {
        case scripts::LineKind::DelayMilliseconds:
        case scripts::LineKind::DelaySeconds: SpeedButton_add1Click(); break;
        case scripts::LineKind::KeyClick:
        case scripts::LineKind::KeyDown:
        case scripts::LineKind::KeyUp: SpeedButton_add2Click(); break;
        case scripts::LineKind::LeftClick:
        case scripts::LineKind::LeftDoubleClick:
        case scripts::LineKind::RightClick:
        case scripts::LineKind::LeftDown:
        case scripts::LineKind::LeftUp: SpeedButton_add3Click(); break;
        case scripts::LineKind::MoveTo: SpeedButton_add5Click(); break;
        default: remind(kNotFromFields); break;
    }
    // The insert button took the line's place, unless it refused its fields.
    const bool replaced = !replacingCurrent_;
    replacingCurrent_ = false;
    if (replaced) lines->choose(chosen);
}

}  // namespace tapmill
