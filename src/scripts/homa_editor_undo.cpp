// The editor's undo (撤销, or Ctrl+Z while the editor has the focus), and the control hot key it
// takes Ctrl+Z from meanwhile.
#include <optional>
#include <utility>

#include "scripts/Unit_homa.h"

namespace tapmill {

void TForm_homa::recordStepFrom(scripts::EditHistory::State before) {
    if (lines->lines() != before.lines) history_.record(std::move(before));
}

// In the text view the text's own last change is taken back; the list's steps wait for the list.
void TForm_homa::SpeedButton_undoClick() {
    if (textView->isOpen()) return textView->undo();
    std::optional<scripts::EditHistory::State> state = history_.undo();
    if (!state) return;
    lines->setLines(std::move(state->lines));
    lines->choose(state->currentLine);
}

void TForm_homa::FormActivate() { undoKeyPause_->pause(); }

void TForm_homa::FormDeactivate() { giveUndoKeyBack(); }

// The play key is simply gone when another program took Ctrl+Z while the editor had it: the user
// hears of it, or would press it later and wonder why nothing plays.
void TForm_homa::giveUndoKeyBack() {
    if (!undoKeyPause_->resume())
        remind("热键 " + chordText(kUndoKey) + " 已被其它程序占用，控制热键“" + controlHotKey(HK_Play)->name + "”已失效！");
}

}  // namespace tapmill
