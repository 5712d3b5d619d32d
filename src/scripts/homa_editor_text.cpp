// The text view: the whole script as text in the list's place, where lines are typed, pasted and
// copied. Its lines go back to the list, and so to the file or a run, only when every one reads.
#include <utility>

#include "scripts/Unit_homa.h"
#include "scripts/script_check.h"

namespace tapmill {

void TForm_homa::SpeedButton_textClick() {
    if (textView->isOpen()) {
        leaveTextView();
        return;
    }
    textView->open(lines->lines());
    enableListEditing(false);
    SpeedButton_text->setText("返回列表");
}

bool TForm_homa::leaveTextView() {
    if (!takeTextViewLines()) return false;
    closeTextView();
    return true;
}

void TForm_homa::closeTextView() {
    if (!textView->isOpen()) return;
    textView->close();
    enableListEditing(true);
    SpeedButton_text->setText("文本编辑");
}

bool TForm_homa::takeTextViewLines() {
    scripts::EditorTextView::Reading reading = textView->read();
    if (!reading.faults.empty()) {
        remind(scripts::faultReport(reading.faults));
        textView->showFault(reading.faults.front());
        return false;
    }
    textView->markTaken();
    if (reading.lines == lines->lines()) return true;
    // The chosen line keeps its number where the script is long enough; else the last line, the
    // end mark, is chosen, so that inserted lines go above it.
    const int chosen = lines->currentLine();
    lines->setLines(std::move(reading.lines));
    lines->choose(chosen >= 0 && chosen < lines->count() ? chosen : lines->count() - 1);
    return true;
}

void TForm_homa::enableListEditing(bool enabled) {
    for (ui::Button* button : {SpeedButton_add1.get(), SpeedButton_add2.get(), SpeedButton_add3.get(),
                               SpeedButton_add4.get(), SpeedButton_add5.get(), SpeedButton_del.get(),
                               SpeedButton_up.get(), SpeedButton_down.get(), SpeedButton_renew.get(),
                               SpeedButton_modify.get()})
        button->setEnabled(enabled);
    blockInserts->enableInserts(enabled);
    screenInserts->enableInserts(enabled);
}

bool TForm_homa::scriptChanged() const { return lines->changed() || textView->edited(); }

}  // namespace tapmill
