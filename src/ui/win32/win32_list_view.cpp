#include "ui/win32/win32_list_view.h"

#include <commctrl.h>

namespace tapmill::win32 {

namespace {

int formatOf(ui::Align align) {
    switch (align) {
        case ui::Align::Center: return LVCFMT_CENTER;
        case ui::Align::Right: return LVCFMT_RIGHT;
        case ui::Align::Left: break;
    }
    return LVCFMT_LEFT;
}

}  // namespace

Win32ListView::Win32ListView(HWND hwnd, int id, ui::Rect rect, std::vector<ui::ListColumn> columns)
    : Win32Control<ui::ListView>(hwnd, id, rect), columns_(std::move(columns)) {
    const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (size_t c = 0; c < columns_.size(); ++c) {
        std::wstring caption = widen(columns_[c].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = formatOf(columns_[c].align);
        column.cx = columns_[c].width;
        column.pszText = &caption[0];
        column.iSubItem = static_cast<int>(c);
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
}

bool Win32ListView::isListView(HWND hwnd) {
    wchar_t cls[32] = {0};
    GetClassNameW(hwnd, cls, 32);
    return lstrcmpiW(cls, WC_LISTVIEWW) == 0;
}

void Win32ListView::applyDpi(int dpi, HFONT font) {
    Win32Control<ui::ListView>::applyDpi(dpi, font);
    for (size_t c = 0; c < columns_.size(); ++c)
        SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(scaleForDpi(columns_[c].width, dpi), 0));
}

void Win32ListView::clear() { SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0); }

int Win32ListView::addRow(const std::vector<std::string>& cells) {
    std::wstring first = widen(cells.empty() ? std::string() : cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = rowCount();
    item.pszText = &first[0];
    const int row = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    for (size_t c = 1; c < cells.size() && c < columns_.size(); ++c) setCell(row, static_cast<int>(c), cells[c]);
    return row;
}

void Win32ListView::removeRow(int row) { SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0); }

int Win32ListView::rowCount() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

std::string Win32ListView::cell(int row, int column) const {
    // The control tells neither the length of a text nor whether it cut it: grow until it fits.
    for (size_t capacity = 256;; capacity *= 4) {
        std::wstring text(capacity, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(capacity);
        const LRESULT length =
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (length < 0) return std::string();
        if (static_cast<size_t>(length) + 1 < capacity) {
            text.resize(static_cast<size_t>(length));
            return narrow(text);
        }
    }
}

void Win32ListView::setCell(int row, int column, const std::string& text) {
    std::wstring wide = widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = &wide[0];
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int Win32ListView::selectedIndex() const {
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32ListView::setState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Win32ListView::setSelectedIndex(int row) {
    setState(-1, 0, LVIS_SELECTED);  // row -1 addresses every row
    if (row < 0 || row >= rowCount()) return;
    setState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

bool Win32ListView::highlighted(int row) const {
    if (row < 0 || row >= rowCount()) return false;
    return (SendMessageW(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void Win32ListView::setHighlighted(int row, bool highlighted) {
    if (row < 0 || row >= rowCount()) return;
    setState(row, highlighted ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

}  // namespace tapmill::win32
