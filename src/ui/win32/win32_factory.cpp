#include "ui/win32/win32_factory.h"

#include "ui/win32/win32_list_view.h"
#include "ui/win32/win32_area_picker.h"
#include "ui/win32/win32_overlay.h"
#include "ui/win32/win32_window.h"

#include <commctrl.h>

namespace tapmill::win32 {

namespace {

Win32Window& windowOf(ui::Control& parent) {
    HWND root = GetAncestor(nativeHandleOf(parent), GA_ROOT);
    return *reinterpret_cast<Win32Window*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

HWND createChild(ui::Control& parent, const wchar_t* cls, const std::string& text, DWORD style, DWORD exStyle, int id) {
    return CreateWindowExW(exStyle, cls, widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                           nativeHandleOf(parent), reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// Creates the control object around a new child window and lays it out for the window's DPI.
template <class T, class... Extra>
std::unique_ptr<T> make(ui::Control& parent, const wchar_t* cls, const std::string& text, DWORD style, DWORD exStyle,
                        int id, ui::Rect rect, Extra&&... extra) {
    HWND hwnd = createChild(parent, cls, text, style, exStyle, id);
    auto control = std::make_unique<T>(hwnd, id, rect, std::forward<Extra>(extra)...);
    windowOf(parent).adopt(*control);
    return control;
}

const ListMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_GETCOUNT,
                                  CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL,    CB_SETCURSEL,    CB_SETITEMHEIGHT};
const ListMessages kListMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_GETCOUNT,
                                 LB_GETTEXTLEN,   LB_GETTEXT,   LB_GETCURSEL,    LB_SETCURSEL,    LB_SETITEMHEIGHT};

// A window in view that takes no input: a modal window shown over it disabled it.
BOOL CALLBACK takeIfDisabledInView(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || IsWindowEnabled(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

std::unique_ptr<ui::Window> Win32Factory::window(const ui::WindowSpec& windowSpec, ui::WindowEvents& events) {
    return std::make_unique<Win32Window>(windowSpec, events, &modalLoops_);
}

std::unique_ptr<ui::Overlay> Win32Factory::overlay(const std::string& className) {
    return std::make_unique<Win32Overlay>(className);
}

std::unique_ptr<ui::AreaPicker> Win32Factory::areaPicker() { return std::make_unique<Win32AreaPicker>(); }

bool Win32Factory::modalWindowOpen() const {
    if (modalLoops_ > 0) return true;
    // A modal loop of the system's (a common dialog) disables its owner as ours do.
    HWND owner = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takeIfDisabledInView, reinterpret_cast<LPARAM>(&owner));
    return owner != nullptr;
}

std::unique_ptr<ui::Panel> Win32Factory::panel(ui::Control& parent, int id, ui::Rect rect, const std::string& caption) {
    return make<Win32Panel>(parent, L"TapmillPanel", caption, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, id, rect);
}

std::unique_ptr<ui::Label> Win32Factory::label(ui::Control& parent, int id, ui::Rect rect, const std::string& caption,
                                               ui::TextAlign align) {
    const DWORD alignment = align == ui::TextAlign::Center ? SS_CENTER : align == ui::TextAlign::Right ? SS_RIGHT : SS_LEFT;
    return make<Win32Label>(parent, L"STATIC", caption, alignment | SS_NOPREFIX | SS_ENDELLIPSIS, 0, id, rect);
}

namespace {

LRESULT CALLBACK handCursorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Wine's themed buttons ask to be told of the pointer's hover after 1 ms and its leave, unless the
// pointer is tracked for them already; under Wine the same 1 ms timer then watches for the leave
// for as long as the pointer rests on the button, which wakes the program a hundred times a second.
// Tracked here first at the system's hover time, the button turns hot on that hover instead, and
// the leave is watched at that pace. Windows watches for the leave without a timer either way.
LRESULT CALLBACK calmHotTrackingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_MOUSEMOVE) {
        TRACKMOUSEEVENT tracked{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
        if (!TrackMouseEvent(&tracked) || tracked.hwndTrack != hwnd || !(tracked.dwFlags & TME_LEAVE)) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, hwnd, HOVER_DEFAULT};
            TrackMouseEvent(&track);
        }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

template <class T>
std::unique_ptr<T> calmHotTracking(std::unique_ptr<T> button) {
    SetWindowSubclass(button->hwnd(), calmHotTrackingProc, 1, 0);
    return button;
}

}  // namespace

// A click on a static control arrives as STN_CLICKED, which shares its number with BN_CLICKED.
std::unique_ptr<ui::Label> Win32Factory::link(ui::Control& parent, int id, ui::Rect rect, const std::string& caption) {
    auto l = make<Win32Label>(parent, L"STATIC", caption, SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_ENDELLIPSIS, 0, id, rect);
    SetWindowSubclass(l->hwnd(), handCursorProc, 1, 0);
    return l;
}

std::unique_ptr<ui::Button> Win32Factory::button(ui::Control& parent, int id, ui::Rect rect, const std::string& caption,
                                                 ui::ButtonStyle style) {
    DWORD s = BS_PUSHBUTTON | WS_TABSTOP | (style == ui::ButtonStyle::Navigation ? BS_MULTILINE : 0);
    return calmHotTracking(make<Win32Button>(parent, L"BUTTON", caption, s, 0, id, rect));
}

std::unique_ptr<ui::Edit> Win32Factory::edit(ui::Control& parent, int id, ui::Rect rect, const std::string& text,
                                             ui::EditStyle style) {
    DWORD s = ES_AUTOHSCROLL | WS_TABSTOP | (style == ui::EditStyle::ReadOnly ? ES_READONLY : 0);
    auto e = make<Win32Edit>(parent, L"EDIT", text, s, WS_EX_CLIENTEDGE, id, rect);
    SetWindowSubclass(e->hwnd(), Win32Window::editSubclassProc, 1, 0);
    return e;
}

std::unique_ptr<ui::Memo> Win32Factory::memo(ui::Control& parent, int id, ui::Rect rect) {
    return make<Win32Memo>(parent, L"EDIT", "", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                           id, rect);
}

std::unique_ptr<ui::CheckBox> Win32Factory::checkBox(ui::Control& parent, int id, ui::Rect rect,
                                                     const std::string& caption) {
    return calmHotTracking(make<Win32CheckBox>(parent, L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, id, rect));
}

std::unique_ptr<ui::RadioButton> Win32Factory::radioButton(ui::Control& parent, int id, ui::Rect rect,
                                                           const std::string& caption, bool firstOfGroup) {
    DWORD s = BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0);
    return calmHotTracking(make<Win32RadioButton>(parent, L"BUTTON", caption, s, 0, id, rect));
}

std::unique_ptr<ui::TrackBar> Win32Factory::trackBar(ui::Control& parent, int id, ui::Rect rect, int min, int max,
                                                     int position) {
    auto t = make<Win32TrackBar>(parent, TRACKBAR_CLASSW, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, id, rect);
    SendMessageW(t->hwnd(), TBM_SETRANGE, FALSE, MAKELPARAM(min, max));
    SendMessageW(t->hwnd(), TBM_SETPOS, TRUE, position);
    return t;
}

std::unique_ptr<ui::ProgressBar> Win32Factory::progressBar(ui::Control& parent, int id, ui::Rect rect) {
    auto p = make<Win32ProgressBar>(parent, PROGRESS_CLASSW, "", 0, 0, id, rect);
    SendMessageW(p->hwnd(), PBM_SETRANGE32, 0, 100);
    return p;
}

std::unique_ptr<ui::ComboBox> Win32Factory::comboBox(ui::Control& parent, int id, ui::Rect rect, bool dropDownList) {
    // Drawn by the window (drawListItem), so that a name too long for the list ends in an ellipsis.
    DWORD s = (dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) | WS_VSCROLL | WS_TABSTOP |
              CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    return make<Win32ComboBox>(parent, WC_COMBOBOXW, "", s, 0, id, rect, kComboMessages);
}

std::unique_ptr<ui::ListBox> Win32Factory::listBox(ui::Control& parent, int id, ui::Rect rect, bool multiSelect) {
    return make<Win32ListBox>(parent, WC_LISTBOXW, "",
                              LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                  (multiSelect ? LBS_EXTENDEDSEL : 0),
                              WS_EX_CLIENTEDGE, id, rect, kListMessages, multiSelect);
}

// Enter starts a new line and Tab moves on to the next control, as in any text field of a dialog.
std::unique_ptr<ui::TextArea> Win32Factory::textArea(ui::Control& parent, int id, ui::Rect rect) {
    return make<Win32TextArea>(parent, L"EDIT", "",
                               ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL |
                                   WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                               WS_EX_CLIENTEDGE, id, rect);
}

std::unique_ptr<ui::StatusBar> Win32Factory::statusBar(ui::Control& parent, int id, ui::Rect rect,
                                                       const std::vector<int>& panelWidths) {
    return make<Win32StatusBar>(parent, STATUSCLASSNAMEW, "", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, id,
                                rect, panelWidths);
}

std::unique_ptr<ui::Timer> Win32Factory::timer(ui::Window& owner, int id, uint32_t intervalMs) {
    return std::make_unique<Win32Timer>(reinterpret_cast<HWND>(owner.nativeHandle()), id, intervalMs);
}

std::unique_ptr<ui::DateTimePicker> Win32Factory::dateTimePicker(ui::Control& parent, int id, ui::Rect rect,
                                                                 ui::PickerKind kind) {
    const bool date = kind == ui::PickerKind::Date;
    auto p = make<Win32DateTimePicker>(parent, DATETIMEPICK_CLASSW, "",
                                       (date ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT | DTS_UPDOWN) | WS_TABSTOP, 0, id, rect);
    SendMessageW(p->hwnd(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(date ? L"yyyy-MM-dd" : L"HH:mm:ss"));
    return p;
}

std::unique_ptr<ui::ListView> Win32Factory::listView(ui::Control& parent, int id, ui::Rect rect,
                                                     const std::vector<ui::ListColumn>& columns, bool multiSelect) {
    DWORD s = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP | (multiSelect ? 0 : LVS_SINGLESEL);
    return make<Win32ListView>(parent, WC_LISTVIEWW, "", s, WS_EX_CLIENTEDGE, id, rect, columns);
}

}  // namespace tapmill::win32
