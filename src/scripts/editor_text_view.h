#pragma once
#include <string>
#include <vector>

#include "scripts/script_check.h"
#include "ui/controls.h"

namespace tapmill::scripts {

// The script as text, in place of the editor's line list: the user types, pastes and copies whole
// lines. The lines go back to the list only as a whole and only when every one of them reads.
class EditorTextView {
public:
    EditorTextView(ui::TextArea& text, ui::ListBox& list) : text_(text), list_(list) { text_.setVisible(false); }

    bool isOpen() const { return open_; }
    // Shows the lines (GBK) as text where the list was.
    void open(const std::vector<std::string>& lines);
    // Shows the list again; the text is dropped.
    void close();

    struct Reading {
        std::vector<std::string> lines;  // GBK
        std::vector<LineFault> faults;
    };
    // The text's lines with what is wrong with them; a line the script file's code page cannot
    // hold is one of the faults.
    Reading read() const;
    // Whether the user changed the text since it was opened.
    bool edited() const { return open_ && text_.text() != shown_; }
    // The text as it stands is the one the list now holds.
    void markTaken() { shown_ = text_.text(); }
    // Puts the first faulty line before the user's eyes.
    void showFault(const LineFault& fault) { text_.selectLine(fault.number - 1); }
    void undo() { text_.undo(); }

private:
    ui::TextArea& text_;
    ui::ListBox& list_;
    bool open_ = false;
    std::string shown_;
};

}  // namespace tapmill::scripts
