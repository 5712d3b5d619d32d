#include "ui/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

#include "common/error.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_pump.h"
#include "ui/win32/win32_list_view.h"

#include <exception>

namespace tapmill::win32 {

namespace {

const wchar_t* const kPanelClass = L"TapmillPanel";
const wchar_t* const kBackgroundProp = L"tapmill.background";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

Win32Window* windowOf(HWND hwnd) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(root ? root : hwnd, GWLP_USERDATA));
}

void registerTopLevelClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = Win32Window::windowProc;
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name.c_str();
    registerClassOnce(wc);
}

}  // namespace

// GetDpiForWindow exists from Windows 10 on; older systems have one DPI for all monitors.
int dpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd) {
        UINT dpi = getDpiForWindow(hwnd);
        if (dpi) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

Win32Window::Win32Window(const ui::WindowSpec& windowSpec, ui::WindowEvents& events, int* modalLoops)
    : Win32TextControl<ui::Window>(nullptr, 0, {0, 0, windowSpec.clientWidth, windowSpec.clientHeight}),
      events_(events),
      endsProgram_(windowSpec.endsProgram),
      defaultButtonId_(windowSpec.defaultButtonId),
      modalLoops_(modalLoops) {
    const std::wstring className = widen(windowSpec.className);
    registerTopLevelClass(className);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (windowSpec.minimizeBox ? WS_MINIMIZEBOX : 0);
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    owner_ = reinterpret_cast<HWND>(windowSpec.owner);
    hwnd_ = CreateWindowExW(exStyle, className.c_str(), widen(windowSpec.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            100, 100, owner_, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = dpiOf(hwnd_);
    setFontForDpi();
    createShortcuts(windowSpec.shortcuts);

    RECT r{0, 0, scaleForDpi(windowSpec.clientWidth, dpi_), scaleForDpi(windowSpec.clientHeight, dpi_)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int width = r.right - r.left, height = r.bottom - r.top;
    // Centred in the work area of the owner's monitor (the taskbar left out). A window larger than
    // that keeps its top left corner, and so its title bar, on the screen, where it can be moved.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{};
    if (GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Window::~Win32Window() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (font_) DeleteObject(font_);
    if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
}

// The shortcuts become an accelerator table that the message loops translate for the active
// window (see kShortcutsProp).
void Win32Window::createShortcuts(const std::vector<ui::Shortcut>& shortcuts) {
    if (shortcuts.empty()) return;
    std::vector<ACCEL> table;
    for (const ui::Shortcut& s : shortcuts) {
        BYTE flags = FVIRTKEY;
        if (s.modifiers & MOD_CONTROL) flags |= FCONTROL;
        if (s.modifiers & MOD_ALT) flags |= FALT;
        if (s.modifiers & MOD_SHIFT) flags |= FSHIFT;
        table.push_back({flags, static_cast<WORD>(s.virtualKey), static_cast<WORD>(s.commandId)});
    }
    shortcuts_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
    SetPropW(hwnd_, kShortcutsProp, shortcuts_);
}

void Win32Window::setFontForDpi() {
    if (font_) DeleteObject(font_);
    font_ = CreateFontW(-scaleForDpi(13, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

bool Win32Window::defaultButtonEnabled() const {
    for (NativeControl* c : controls_)
        if (GetDlgCtrlID(c->hwnd()) == defaultButtonId_) return IsWindowEnabled(c->hwnd()) && IsWindowVisible(c->hwnd());
    return false;
}

void Win32Window::adopt(NativeControl& control) {
    controls_.push_back(&control);
    control.applyDpi(dpi_, font_);
    if (defaultButtonId_ && GetDlgCtrlID(control.hwnd()) == defaultButtonId_)
        SendMessageW(control.hwnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

template <class F>
void Win32Window::guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        showMessageBox(widen(e.what()), widen(kErrorReportCaption), MB_OK | MB_ICONERROR);
    }
}

void Win32Window::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = panelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            if (Win32ListView::isListView(reinterpret_cast<NMHDR*>(lParam)->hwndFrom))
                return onListViewNotify(*reinterpret_cast<NMHDR*>(lParam));
            break;
        case WM_HSCROLL:
            if (lParam && LOWORD(wParam) != TB_ENDTRACK) {
                ui::EventArgs args;
                int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
                guarded([&] { events_.onControlEvent(id, ui::Event::Change, args); });
            }
            return 0;
        case WM_TIMER:
            guarded([&] { events_.onTimer(static_cast<int>(wParam)); });
            return 0;
        case WM_HOTKEY:
            guarded([&] { events_.onHotKey(static_cast<int>(wParam)); });
            return 0;
        case WM_ACTIVATE:
            guarded([&] { events_.onActivate(LOWORD(wParam) != WA_INACTIVE); });
            break;
        case WM_SHOWWINDOW:
            if (wParam && lParam == 0) guarded([&] { events_.onShow(); });
            break;
        case WM_CLOSE:
            guarded([&] {
                if (!events_.onCloseQuery()) return;
                events_.onClose();
                if (modal_)
                    endModal();
                else
                    DestroyWindow(hwnd_);
            });
            return 0;
        case WM_QUERYENDSESSION:
            // Nothing here refuses the end of the session; the work is done when it ends.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                guarded([&] { events_.onEndSession(); });
                if (!modal_) DestroyWindow(hwnd_);
            }
            return 0;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_LISTBOX && item.CtlType != ODT_COMBOBOX) break;
            item.itemHeight = static_cast<UINT>(listItemHeight(font_));
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_LISTBOX && item.CtlType != ODT_COMBOBOX) break;
            drawListItem(item);
            return TRUE;
        }
        case DM_GETDEFID:
            // The dialog keys ask which button Enter presses.
            if (defaultButtonId_) return MAKELRESULT(defaultButtonId_, DC_HASDEFID);
            break;
        case WM_DESTROY:
            if (endsProgram_) PostQuitMessage(0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                LRESULT r = DefWindowProcW(hwnd_, msg, wParam, lParam);
                guarded([&] { events_.onMinimize(); });
                return r;
            }
            break;
        case kDpiChanged:
            onDpiChanged(LOWORD(wParam), *reinterpret_cast<RECT*>(lParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return colorControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), msg, wParam, lParam);
        default: {
            bool consumed = false;
            guarded([&] { consumed = events_.onMessage(msg, wParam, lParam); });
            if (consumed) return 0;
            break;
        }
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void Win32Window::showModal() {
    modal_ = true;
    modalDone_ = false;
    // Counted for as long as the loop runs, also while the window hides (the editor steps aside
    // for point capture with its owner in the tray, where no disabled window is in view).
    struct LoopCount {
        int* loops;
        explicit LoopCount(int* n) : loops(n) {
            if (loops) ++*loops;
        }
        ~LoopCount() {
            if (loops) --*loops;
        }
    } counted(modalLoops_);
    if (owner_) EnableWindow(owner_, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    MSG msg;
    while (!modalDone_) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The program is ending: leave the quit for the outer loop, which ends it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            endModal();
            break;
        }
        if (win32::forwardThreadMessage(msg) || win32::translateShortcut(GetActiveWindow(), msg) ||
            IsDialogMessageW(hwnd_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    modal_ = false;
}

void Win32Window::endModal() {
    if (owner_) EnableWindow(owner_, TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    if (owner_) SetForegroundWindow(owner_);
    modalDone_ = true;
}

void Win32Window::onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    // The dialog keys name no control (control ids start above IDOK and IDCANCEL): Esc leaves a
    // modal window as its close box does; Enter names the default button, which lies in a panel
    // where they do not look for it.
    if (!lParam) {
        if (HIWORD(wParam) == 1) {  // a shortcut (an accelerator)
            ui::EventArgs args;
            guarded([&] { events_.onControlEvent(id, ui::Event::Click, args); });
            return;
        }
        if (id == IDCANCEL && modal_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        if (id == defaultButtonId_ && defaultButtonId_ != 0 && defaultButtonEnabled()) {
            ui::EventArgs args;
            guarded([&] { events_.onControlEvent(id, ui::Event::Click, args); });
        }
        return;
    }
    ui::Event event;
    switch (HIWORD(wParam)) {
        case BN_CLICKED: event = ui::Event::Click; break;
        case EN_CHANGE: event = ui::Event::Change; break;
        case EN_SETFOCUS: event = ui::Event::FocusIn; break;
        case EN_KILLFOCUS: event = ui::Event::FocusOut; break;
        default: {
            // Combo boxes and list boxes share their notification numbers: 1 selection change, 2 double click.
            wchar_t cls[32] = {0};
            GetClassNameW(reinterpret_cast<HWND>(lParam), cls, 32);
            bool isList = lstrcmpiW(cls, WC_COMBOBOXW) == 0 || lstrcmpiW(cls, WC_LISTBOXW) == 0;
            if (!isList) return;
            if (HIWORD(wParam) == CBN_SELCHANGE)
                event = ui::Event::Select;
            else if (HIWORD(wParam) == CBN_DBLCLK)
                event = ui::Event::DoubleClick;
            else
                return;
        }
    }
    ui::EventArgs args;
    guarded([&] { events_.onControlEvent(id, event, args); });
}

// A list view reports a change of a row's selection, a click and a double click.
LRESULT Win32Window::onListViewNotify(const NMHDR& header) {
    ui::Event event;
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!(change.uChanged & LVIF_STATE) || !((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) return 0;
            event = ui::Event::Select;
            break;
        }
        case NM_CLICK: event = ui::Event::Click; break;
        case NM_DBLCLK: event = ui::Event::DoubleClick; break;
        default: return DefWindowProcW(hwnd_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    ui::EventArgs args;
    const int id = static_cast<int>(header.idFrom);
    guarded([&] { events_.onControlEvent(id, event, args); });
    return 0;
}

LRESULT Win32Window::colorControl(HDC dc, HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    intptr_t color = reinterpret_cast<intptr_t>(GetPropW(control, kBackgroundProp));
    if (color == 0) return DefWindowProcW(hwnd_, msg, wParam, lParam);
    int index = color == 2 ? COLOR_3DLIGHT : COLOR_WINDOW;
    SetBkColor(dc, GetSysColor(index));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(index));
}

void Win32Window::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    setFontForDpi();
    for (NativeControl* c : controls_) c->applyDpi(dpi_, font_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Panels only group controls: what their controls report goes to the top-level window.
LRESULT CALLBACK Win32Window::panelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (HWND root = GetAncestor(hwnd, GA_ROOT)) return SendMessageW(root, msg, wParam, lParam);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Edits report each typed character before it is inserted; the form may discard it.
LRESULT CALLBACK Win32Window::editSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CHAR) {
        Win32Window* self = windowOf(hwnd);
        if (self) {
            ui::EventArgs args;
            // A character beyond ASCII reaches the form as one that is neither a digit nor a control key.
            args.key = wParam < 0x80 ? static_cast<char>(wParam) : static_cast<char>(0x7F);
            const char typed = args.key;
            int id = GetDlgCtrlID(hwnd);
            self->guarded([&] { self->events_.onControlEvent(id, ui::Event::KeyPress, args); });
            if (args.key == 0) return 0;
            if (args.key != typed) wParam = static_cast<unsigned char>(args.key);
        }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace tapmill::win32
