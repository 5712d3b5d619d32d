#include "ui/memory/memory_list_view.h"

namespace tapmill::ui::memory {

int MemoryListView::addRow(const std::vector<std::string>& cells) {
    Row row;
    row.cells.assign(columns_.size(), std::string());
    for (size_t c = 0; c < cells.size() && c < columns_.size(); ++c) row.cells[c] = cells[c];
    rows_.push_back(std::move(row));
    return rowCount() - 1;
}

void MemoryListView::removeRow(int row) {
    if (has(row)) rows_.erase(rows_.begin() + row);
}

std::string MemoryListView::cell(int row, int column) const {
    if (!has(row) || column < 0 || column >= static_cast<int>(columns_.size())) return std::string();
    return rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}

void MemoryListView::setCell(int row, int column, const std::string& text) {
    if (!has(row) || column < 0 || column >= static_cast<int>(columns_.size())) return;
    rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(column)] = text;
}

int MemoryListView::selectedIndex() const {
    for (int r = 0; r < rowCount(); ++r)
        if (rows_[static_cast<size_t>(r)].selected) return r;
    return -1;
}

void MemoryListView::setSelectedIndex(int row) {
    for (Row& r : rows_) r.selected = false;
    if (has(row)) rows_[static_cast<size_t>(row)].selected = true;
}

void MemoryListView::setHighlighted(int row, bool highlighted) {
    if (!has(row)) return;
    // As in the real control, a single-choice table moves its one selection.
    if (highlighted && !multiSelect_)
        for (Row& r : rows_) r.selected = false;
    rows_[static_cast<size_t>(row)].selected = highlighted;
}

std::unique_ptr<ListView> MemoryFactory::listView(Control&, int id, Rect, const std::vector<ListColumn>& columns,
                                                  bool multiSelect) {
    return std::make_unique<MemoryListView>(id, columns, multiSelect);
}

}  // namespace tapmill::ui::memory
