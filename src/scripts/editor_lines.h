#pragma once
#include <string>
#include <vector>

#include "scripts/run_list.h"
#include "ui/controls.h"

namespace tapmill::scripts {

// The script editor's lines, shown by its list box (one for several items). Each line keeps its
// GBK bytes (a line read from a file need not be valid GBK, and is written back unchanged) and a
// highlight; the list has a current position, the line the next insertion goes above. The box
// shows the highlights as its selection and the current line with its focus frame, so the user
// sees where an insertion lands, and a run started from the editor shows the line it executes.
class EditorLines : public RunList {
public:
    explicit EditorLines(ui::ListBox& view) : view_(view) {}

    int count() const override { return static_cast<int>(lines_.size()); }
    std::string line(int index) const override { return lines_.at(static_cast<size_t>(index)); }
    // Replaces every line: none is highlighted and there is no current line.
    void setLines(std::vector<std::string> lines) override;
    void setHighlighted(int index, bool highlighted) override;
    bool highlighted(int index) const override;
    int currentLine() const override { return current_; }

    const std::vector<std::string>& lines() const { return lines_; }
    // What a click on a line does: that line alone is highlighted, and it is current.
    void choose(int index);
    // Takes the highlights and the current line as the user left them in the box.
    void takeChoiceFromView();
    // The lines a delete or a move acts on, in order: the highlighted ones, or else the current one.
    std::vector<int> chosenLines() const;
    // Moves the current position without touching any highlight; -1 for none.
    void setCurrentLine(int index);
    // The new line takes position index (0 to count()), unhighlighted; the lines from there on
    // move down with their highlights. The current position keeps its number.
    void insert(int index, std::string line);
    // The current position keeps its number while a line stands there.
    void remove(int index);
    // Swaps the texts of two lines; the highlights stay where they are.
    void swapTexts(int a, int b);

    // Takes the lines as they stand for the ones last loaded or saved.
    void markUnchanged() { unchanged_ = lines_; }
    // Whether the lines differ from the ones last loaded or saved.
    bool changed() const { return lines_ != unchanged_; }

private:
    bool has(int index) const { return index >= 0 && index < count(); }
    void showLine(int index);
    void showCurrent();

    ui::ListBox& view_;
    std::vector<std::string> lines_;
    std::vector<std::string> unchanged_;
    std::vector<bool> highlighted_;
    int current_ = -1;
};

}  // namespace tapmill::scripts
