#pragma once
#include <string>
#include <vector>

#include "ui/memory/memory_controls.h"

namespace tapmill::ui::memory {

// A report table held as rows of cells with a selection mark per row.
class MemoryListView : public MemoryControl<ListView> {
public:
    MemoryListView(int id, std::vector<ListColumn> columns, bool multiSelect)
        : MemoryControl<ListView>(id), columns_(std::move(columns)), multiSelect_(multiSelect) {}

    void clear() override { rows_.clear(); }
    int addRow(const std::vector<std::string>& cells) override;
    void removeRow(int row) override;
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    std::string cell(int row, int column) const override;
    void setCell(int row, int column, const std::string& text) override;
    int selectedIndex() const override;
    void setSelectedIndex(int row) override;
    bool highlighted(int row) const override { return has(row) && rows_[static_cast<size_t>(row)].selected; }
    void setHighlighted(int row, bool highlighted) override;

    const std::vector<ListColumn>& columns() const { return columns_; }
    bool multiSelect() const { return multiSelect_; }

private:
    struct Row {
        std::vector<std::string> cells;
        bool selected = false;
    };
    bool has(int row) const { return row >= 0 && row < rowCount(); }

    std::vector<ListColumn> columns_;
    bool multiSelect_;
    std::vector<Row> rows_;
};

}  // namespace tapmill::ui::memory
