#include "scripts/editor_lines.h"

#include <utility>

#include "common/gbk.h"

namespace tapmill::scripts {

void EditorLines::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    highlighted_.assign(lines_.size(), false);
    current_ = -1;
    view_.clear();
    for (const std::string& line : lines_) view_.addItem(gbkToUtf8Lossy(line));
    showCurrent();
}

void EditorLines::setHighlighted(int index, bool highlighted) {
    if (!has(index)) return;
    highlighted_[static_cast<size_t>(index)] = highlighted;
    view_.setHighlighted(index, highlighted);
    if (highlighted) current_ = index;
    showCurrent();
}

bool EditorLines::highlighted(int index) const { return has(index) && highlighted_[static_cast<size_t>(index)]; }

void EditorLines::choose(int index) {
    highlighted_.assign(lines_.size(), false);
    if (has(index)) highlighted_[static_cast<size_t>(index)] = true;
    current_ = has(index) ? index : -1;
    view_.setSelectedIndex(current_);
}

void EditorLines::takeChoiceFromView() {
    for (int i = 0; i < count(); ++i) highlighted_[static_cast<size_t>(i)] = view_.highlighted(i);
    current_ = has(view_.selectedIndex()) ? view_.selectedIndex() : -1;
}

std::vector<int> EditorLines::chosenLines() const {
    std::vector<int> chosen;
    for (int i = 0; i < count(); ++i)
        if (highlighted(i)) chosen.push_back(i);
    if (chosen.empty() && has(current_)) chosen.push_back(current_);
    return chosen;
}

void EditorLines::setCurrentLine(int index) {
    current_ = has(index) ? index : -1;
    showCurrent();
}

void EditorLines::insert(int index, std::string line) {
    if (index < 0 || index > count()) index = count();
    view_.insertItem(index, gbkToUtf8Lossy(line));
    lines_.insert(lines_.begin() + index, std::move(line));
    highlighted_.insert(highlighted_.begin() + index, false);
    showCurrent();
}

void EditorLines::remove(int index) {
    if (!has(index)) return;
    lines_.erase(lines_.begin() + index);
    highlighted_.erase(highlighted_.begin() + index);
    view_.removeItem(index);
    if (current_ >= count()) current_ = count() - 1;
    showCurrent();
}

void EditorLines::swapTexts(int a, int b) {
    if (!has(a) || !has(b)) return;
    std::swap(lines_[static_cast<size_t>(a)], lines_[static_cast<size_t>(b)]);
    showLine(a);
    showLine(b);
    showCurrent();
}

// A list box cannot change an item's text in place: the item is taken out and put back, with its
// highlight.
void EditorLines::showLine(int index) {
    view_.removeItem(index);
    view_.insertItem(index, gbkToUtf8Lossy(lines_[static_cast<size_t>(index)]));
    view_.setHighlighted(index, highlighted_[static_cast<size_t>(index)]);
}

void EditorLines::showCurrent() {
    if (current_ < 0) view_.setSelectedIndex(-1);
    else view_.setFocusIndex(current_);
}

}  // namespace tapmill::scripts
