#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include "ui/single_choice.h"

namespace tapmill::win32 {

namespace {
const wchar_t* const kBackgroundProp = L"tapmill.background";
}

HWND nativeHandleOf(ui::Control& control) { return dynamic_cast<NativeControl&>(control).hwnd(); }

int scaleForDpi(int value, int dpi) { return MulDiv(value, dpi, 96); }

void registerClassOnce(WNDCLASSEXW wc) {
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) RegisterClassExW(&wc);
}

std::pair<int, int> Win32Edit::selection() const {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

// The window procedure paints edits by this property (see Win32Window's WM_CTLCOLOR handling).
void Win32Edit::setBackground(ui::SysColor c) {
    SetPropW(hwnd_, kBackgroundProp, reinterpret_cast<HANDLE>(static_cast<intptr_t>(c == ui::SysColor::Light3D ? 2 : 1)));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

ui::SysColor Win32Edit::background() const {
    return reinterpret_cast<intptr_t>(GetPropW(hwnd_, kBackgroundProp)) == 2 ? ui::SysColor::Light3D : ui::SysColor::Window;
}

void Win32Memo::setLines(const std::vector<std::string>& lines) {
    lines_ = lines;
    std::string all;
    for (size_t i = 0; i < lines.size(); ++i) all += (i ? "\r\n" : "") + lines[i];
    SetWindowTextW(hwnd_, widen(all).c_str());
}

int listItemHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight + 2;
}

void drawListItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool isCombo = item.CtlType == ODT_COMBOBOX;
        const LRESULT length =
            SendMessageW(item.hwndItem, isCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, item.itemID, 0);
        if (length > 0) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(item.hwndItem, isCombo ? CB_GETLBTEXT : LB_GETTEXT, item.itemID,
                         reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(length));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT r = item.rcItem;
            r.left += 2;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

int Win32ListBox::selectedIndex() const {
    if (!multiSelect_) return Win32ItemList<ui::ListBox>::selectedIndex();
    // An empty box answers 0 all the same.
    if (count() == 0) return -1;
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
}

void Win32ListBox::setSelectedIndex(int index) {
    if (!multiSelect_) return Win32ItemList<ui::ListBox>::setSelectedIndex(index);
    SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
    if (index < 0 || index >= count()) return;
    SendMessageW(hwnd_, LB_SETSEL, TRUE, index);
    setFocusIndex(index);
}

bool Win32ListBox::highlighted(int index) const {
    if (!multiSelect_) return index >= 0 && index == selectedIndex();
    return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void Win32ListBox::setHighlighted(int index, bool highlighted) {
    if (index < 0 || index >= count()) return;
    if (multiSelect_)
        SendMessageW(hwnd_, LB_SETSEL, highlighted ? TRUE : FALSE, index);
    else
        ui::highlightSelected(*this, index, highlighted);
}

void Win32ListBox::setFocusIndex(int index) {
    if (!multiSelect_) return setSelectedIndex(index);
    if (index >= 0 && index < count()) SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void Win32TextArea::selectLine(int line) {
    const LRESULT start = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (start < 0) return;
    const LRESULT length = SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    SetFocus(hwnd_);
    SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start), start + length);
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

int Win32TrackBar::position() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)); }
void Win32TrackBar::setPosition(int p) { SendMessageW(hwnd_, TBM_SETPOS, TRUE, p); }

int Win32ProgressBar::position() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
void Win32ProgressBar::setPosition(int p) { SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(p), 0); }

std::string Win32StatusBar::panelText(int panel) const {
    LRESULT n = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&w[0]));
    w.resize(static_cast<size_t>(n));
    return narrow(w);
}

void Win32StatusBar::setPanelText(int panel, const std::string& text) {
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(widen(text).c_str()));
}

Win32StatusBar::~Win32StatusBar() {
    if (tips_) DestroyWindow(tips_);
}

std::string Win32StatusBar::panelTip(int panel) const {
    const auto tip = tipTexts_.find(panel);
    return tip == tipTexts_.end() ? std::string() : narrow(tip->second);
}

void Win32StatusBar::setPanelTip(int panel, const std::string& tip) {
    if (!tips_) {
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, nullptr, nullptr);
        if (!tips_) return;
    }
    const bool known = tipTexts_.count(panel) > 0;
    if (known && tipTexts_[panel] == widen(tip)) return;
    tipTexts_[panel] = widen(tip);
    TOOLINFOW tool = panelTool(panel);
    SendMessageW(tips_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TOOLINFOW Win32StatusBar::panelTool(int panel) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = static_cast<UINT_PTR>(panel);
    tool.lpszText = &tipTexts_[panel][0];
    SendMessageW(hwnd_, SB_GETRECT, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&tool.rect));
    return tool;
}

void Win32StatusBar::applyDpi(int dpi, HFONT font) {
    Win32Control<ui::StatusBar>::applyDpi(dpi, font);
    std::vector<int> edges;
    int right = 0;
    for (int w : widths_) edges.push_back(right += scaleForDpi(w, dpi));
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    // The panels moved: so do the places their tips answer to.
    for (const auto& tip : tipTexts_) {
        TOOLINFOW tool = panelTool(tip.first);
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LocalTime Win32DateTimePicker::value() const {
    SYSTEMTIME st{};
    SendMessageW(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void Win32DateTimePicker::setValue(const LocalTime& v) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(v.year);
    st.wMonth = static_cast<WORD>(v.month);
    st.wDay = static_cast<WORD>(v.day);
    st.wHour = static_cast<WORD>(v.hour);
    st.wMinute = static_cast<WORD>(v.minute);
    st.wSecond = static_cast<WORD>(v.second);
    SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

Win32Timer::Win32Timer(HWND owner, int id, uint32_t interval) : owner_(owner), id_(id), interval_(interval) {
    setEnabled(true);
}

Win32Timer::~Win32Timer() {
    if (enabled_ && IsWindow(owner_)) KillTimer(owner_, static_cast<UINT_PTR>(id_));
}

void Win32Timer::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    if (e)
        SetTimer(owner_, static_cast<UINT_PTR>(id_), interval_, nullptr);
    else
        KillTimer(owner_, static_cast<UINT_PTR>(id_));
}

}  // namespace tapmill::win32
