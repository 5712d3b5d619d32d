// Choosing, deleting and moving the editor's lines. The start and end marks are protected by
// their text: any line that reads "结束" stays, and "开始" stays at the top.
#include "scripts/Unit_homa.h"
#include "scripts/script_words.h"

namespace tapmill {

namespace {

const char* const kMarkCannotMove = "不能移动原有的'开始'或'结束'符号！";

bool reads(const scripts::EditorLines& lines, int index, const std::string& word) {
    return index >= 0 && index < lines.count() && lines.line(index) == word;
}

}  // namespace

void TForm_homa::ListBox_homajbaClick() { lines->choose(ListBox_homajba->selectedIndex()); }

// The line after the one that took the deleted line's place becomes the chosen one.
void TForm_homa::SpeedButton_delClick() {
    const int chosen = lines->currentLine();
    if (chosen < 0) return remind("请先选择要删除的行！");
    if (chosen == 0 || reads(*lines, chosen, scripts::scriptWords().end))
        return remind("不能删除原有的'开始'或'结束'符号！");
    lines->remove(chosen);
    lines->setHighlighted(chosen + 1, true);
}

void TForm_homa::SpeedButton_upClick() {
    const scripts::ScriptWords& words = scripts::scriptWords();
    const int chosen = lines->currentLine();
    if (chosen < 0) return remind("请先选择要移动的行！");
    if (chosen == 0 || reads(*lines, chosen, words.end) || reads(*lines, chosen - 1, words.start))
        return remind(kMarkCannotMove);
    lines->swapTexts(chosen - 1, chosen);
    lines->setHighlighted(chosen - 1, true);
}

void TForm_homa::SpeedButton_downClick() {
    const scripts::ScriptWords& words = scripts::scriptWords();
    const int chosen = lines->currentLine();
    if (chosen < 0) return remind("请先选择要移动的行！");
    if (chosen == 0 || reads(*lines, chosen, words.end) || reads(*lines, chosen + 1, words.end))
        return remind(kMarkCannotMove);
    // A script without an end mark (edited by hand) has nothing below its last line.
    if (chosen + 1 >= lines->count()) return;
    lines->swapTexts(chosen, chosen + 1);
    lines->setHighlighted(chosen, false);
    lines->setHighlighted(chosen + 1, true);
}

void TForm_homa::SpeedButton_renewClick() {
    const scripts::ScriptWords& words = scripts::scriptWords();
    lines->setLines({words.start, words.end});
}

}  // namespace tapmill
