#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/win32_controls.h"

namespace tapmill::win32 {

// A report-style list view (WC_LISTVIEWW with LVS_REPORT), grid lines and whole-row selection.
class Win32ListView : public Win32Control<ui::ListView> {
public:
    Win32ListView(HWND hwnd, int id, ui::Rect rect, std::vector<ui::ListColumn> columns);

    void clear() override;
    int addRow(const std::vector<std::string>& cells) override;
    void removeRow(int row) override;
    int rowCount() const override;
    std::string cell(int row, int column) const override;
    void setCell(int row, int column, const std::string& text) override;
    int selectedIndex() const override;
    void setSelectedIndex(int row) override;
    bool highlighted(int row) const override;
    void setHighlighted(int row, bool highlighted) override;
    // Column widths follow the DPI like positions do.
    void applyDpi(int dpi, HFONT font) override;

    static bool isListView(HWND hwnd);

private:
    void setState(int row, UINT state, UINT mask);

    std::vector<ui::ListColumn> columns_;
};

}  // namespace tapmill::win32
