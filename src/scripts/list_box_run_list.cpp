#include "scripts/list_box_run_list.h"

#include "common/gbk.h"

namespace tapmill::scripts {

void ListBoxRunList::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    highlighted_.assign(lines_.size(), false);
    current_ = -1;
    view_.clear();
    for (const std::string& line : lines_) view_.addItem(gbkToUtf8Lossy(line));
}

void ListBoxRunList::setHighlighted(int index, bool highlighted) {
    if (!has(index)) return;
    highlighted_[static_cast<size_t>(index)] = highlighted;
    if (highlighted) {
        current_ = index;
        view_.setSelectedIndex(index);
    } else if (view_.selectedIndex() == index) {
        view_.setSelectedIndex(-1);
    }
}

bool ListBoxRunList::highlighted(int index) const { return has(index) && highlighted_[static_cast<size_t>(index)]; }

}  // namespace tapmill::scripts
