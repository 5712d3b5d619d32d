// Choosing, deleting and moving the editor's lines, one or several at a time. The start and end
// marks are protected by their text: any line that reads "结束" stays, and "开始" stays at the top.
#include <algorithm>
#include <vector>

#include "scripts/Unit_homa.h"
#include "scripts/script_words.h"

namespace tapmill {

namespace {

const char* const kMarkCannotMove = "不能移动原有的'开始'或'结束'符号！";

bool reads(const scripts::EditorLines& lines, int index, const std::string& word) {
    return index >= 0 && index < lines.count() && lines.line(index) == word;
}

bool contains(const std::vector<int>& chosen, int index) {
    return std::binary_search(chosen.begin(), chosen.end(), index);
}

}  // namespace

void TForm_homa::ListBox_homajbaClick() { lines->takeChoiceFromView(); }

// The line that moved into the first deleted line's place becomes the chosen one, so the next
// press deletes the line that followed.
void TForm_homa::SpeedButton_delClick() {
    const std::vector<int> chosen = lines->chosenLines();
    if (chosen.empty()) return remind("请先选择要删除的行！");
    for (int k : chosen)
        if (k == 0 || reads(*lines, k, scripts::scriptWords().end))
            return remind("不能删除原有的'开始'或'结束'符号！");
    for (auto k = chosen.rbegin(); k != chosen.rend(); ++k) lines->remove(*k);
    lines->choose(std::min(chosen.front(), lines->count() - 1));
}

// Chosen lines move as a block: each swaps with its neighbour, unless that one moves too. The
// highlights move with the lines, so the next press moves the same lines again.
void TForm_homa::moveChosen(int step) {
    const scripts::ScriptWords& words = scripts::scriptWords();
    const std::vector<int> chosen = lines->chosenLines();
    if (chosen.empty()) return remind("请先选择要移动的行！");
    for (int k : chosen) {
        const int neighbour = k + step;
        const bool markInTheWay =
            !contains(chosen, neighbour) && reads(*lines, neighbour, step < 0 ? words.start : words.end);
        if (k == 0 || reads(*lines, k, words.end) || markInTheWay) return remind(kMarkCannotMove);
    }
    // A script without an end mark (edited by hand) has nothing below its last line.
    if (chosen.back() + step >= lines->count()) return;
    const int current = lines->currentLine();
    if (step < 0)
        for (int k : chosen) lines->swapTexts(k, k + step);
    else
        for (auto k = chosen.rbegin(); k != chosen.rend(); ++k) lines->swapTexts(*k, *k + step);
    for (int k : chosen) lines->setHighlighted(k, false);
    for (int k : chosen) lines->setHighlighted(k + step, true);
    lines->setCurrentLine(contains(chosen, current) ? current + step : current);
}

void TForm_homa::SpeedButton_upClick() { moveChosen(-1); }

void TForm_homa::SpeedButton_downClick() { moveChosen(1); }

void TForm_homa::SpeedButton_renewClick() {
    const scripts::ScriptWords& words = scripts::scriptWords();
    lines->setLines({words.start, words.end});
}

}  // namespace tapmill
