// uidriver: drives the windows of another program for the end-to-end tests. It is started once per
// test and reads one command per line on stdin; every command gets exactly one answer line on
// stdout, "ok <result>" or "err <message>", both UTF-8.
//
// Window handles are decimal numbers; message numbers and parameters may also be 0x-hex. A text
// argument is the whole rest of the line, so it may hold spaces. Texts travel escaped both ways so
// that an answer is always one line: "\\" for a backslash, "\n" and "\r" for line breaks. A listing
// (windows, controls, ...) escapes each row's text, then the rows joined by line breaks once more.
//
// Whatever waits on the program is bounded (SendMessageTimeout, polling with a deadline), so a
// program that hangs shows up as an "err" answer instead of a hung driver. Clicks are posted,
// never sent: the program's click handlers may run a whole playback before they return.

#include "remote_buffer.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr DWORD kPollMs = 50;
// The text control of a message box: Windows and Wine both give it id 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;

using Error = std::runtime_error;

std::wstring fromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(chars, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), chars);
    return wide;
}

std::string toUtf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
    std::string text(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes,
                        nullptr, nullptr);
    return text;
}

std::wstring escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\\')
            out += L"\\\\";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\r')
            out += L"\\r";
        else
            out += c;
    }
    return out;
}

// A many-line answer: its rows, whose texts each row holds escaped, one a line, and the whole
// escaped once more, so that a line break inside a text never reads as the one between two rows.
std::wstring listing(const std::vector<std::wstring>& rows) {
    std::wstring all;
    for (const std::wstring& row : rows) all += (all.empty() ? L"" : L"\n") + row;
    return escape(all);
}

std::wstring unescape(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            out += text[i];
            continue;
        }
        wchar_t next = i + 1 < text.size() ? text[++i] : L'\0';
        if (next == L'\\')
            out += L'\\';
        else if (next == L'n')
            out += L'\n';
        else if (next == L'r')
            out += L'\r';
        else
            throw Error("bad escape in text");
    }
    return out;
}

std::wstring number(unsigned long long value) { return std::to_wstring(value); }
std::wstring number(long long value) { return std::to_wstring(value); }
std::wstring handle(HWND window) { return number(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window))); }

// The arguments after the command word: space-separated words, then optionally a text that runs to
// the end of the line.
class Args {
public:
    explicit Args(std::wstring line) : line_(std::move(line)) {}

    std::wstring word(const char* what) {
        if (pos_ >= line_.size())
            throw Error(std::string("missing ") + what);
        std::size_t end = line_.find(L' ', pos_);
        if (end == std::wstring::npos)
            end = line_.size();
        std::wstring word = line_.substr(pos_, end - pos_);
        pos_ = end < line_.size() ? end + 1 : end;
        if (word.empty())
            throw Error(std::string("missing ") + what);
        return word;
    }

    long long integer(const char* what) {
        std::wstring text = word(what);
        bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
        wchar_t* end = nullptr;
        long long value = hex ? static_cast<long long>(wcstoull(text.c_str() + 2, &end, 16))
                              : wcstoll(text.c_str(), &end, 10);
        if (*end != L'\0')
            throw Error(std::string("bad number for ") + what);
        return value;
    }

    // A window handle, not checked: for questions whose answer for a vanished window is "no".
    HWND anyWindow() { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(integer("window"))); }

    HWND window() {
        HWND window = anyWindow();
        if (!IsWindow(window))
            throw Error("no such window");
        return window;
    }

    std::wstring text() {
        std::wstring text = unescape(line_.substr(pos_));
        pos_ = line_.size();
        return text;
    }

    void end() const {
        if (pos_ < line_.size())
            throw Error("too many arguments");
    }

private:
    std::wstring line_;
    std::size_t pos_ = 0;
};

LRESULT sendBounded(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &result))
        throw Error("the window did not answer");
    return static_cast<LRESULT>(result);
}

void post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!PostMessageW(window, message, wparam, lparam))
        throw Error("cannot post to the window");
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool sameClass(HWND window, const std::wstring& name) {
    return CompareStringOrdinal(className(window).c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Asks the window itself (WM_GETTEXT): an edit control's text lives only in the control.
std::wstring windowText(HWND window) {
    std::size_t length = static_cast<std::size_t>(sendBounded(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    LRESULT copied = sendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// Visibility and enabled state are read without a message, so a read could land in the middle of
// a handler that is still showing and hiding windows. A message round trip first waits until the
// window's thread is between handlers or pumping in a wait, the only moments a user sees. A thread
// that stays busy past the bound is read as it is.
void settle(HWND window) {
    constexpr UINT kSettleTimeoutMs = 2000;
    DWORD_PTR ignored = 0;
    if (IsWindow(window))
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kSettleTimeoutMs, &ignored);
}

// The text Windows keeps for the window, read without a message: searching must work while the
// program is busy in a long handler and answers no messages.
std::wstring storedText(HWND window) {
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
    return TRUE;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// "<hwnd> <process id> <visible> <enabled> <class> <caption>" of a top-level window.
std::wstring describe(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return handle(window) + L" " + number(static_cast<unsigned long long>(process)) + L" " +
           (IsWindowVisible(window) ? L"1 " : L"0 ") + (IsWindowEnabled(window) ? L"1 " : L"0 ") + className(window) +
           L" " + escape(storedText(window));
}

// Calls find until it yields a window or timeoutMs has passed.
HWND pollFor(long long timeoutMs, const std::function<HWND()>& find) {
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (HWND found = find())
            return found;
        if (GetTickCount64() >= deadline)
            throw Error("timed out");
        Sleep(kPollMs);
    }
}

// A message box is a visible top-level dialog with the message box's text control. EnumWindows goes
// top to bottom, so the newest of several boxes comes first.
HWND visibleMessageBox() {
    for (HWND window : topLevelWindows()) {
        if (!IsWindowVisible(window) || !sameClass(window, L"#32770"))
            continue;
        HWND text = GetDlgItem(window, kMessageBoxTextId);
        if (text && sameClass(text, L"Static"))
            return window;
    }
    return nullptr;
}

std::wstring statusPanel(HWND statusBar, long long panel) {
    constexpr int kMaxParts = 256;
    RemoteBuffer edges(statusBar, kMaxParts * sizeof(int));
    LRESULT parts = sendBounded(statusBar, SB_GETPARTS, kMaxParts, edges.pointer());
    if (panel < 0 || panel >= parts)
        throw Error("no such panel");
    std::size_t length = LOWORD(sendBounded(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    RemoteBuffer text(statusBar, (length + 1) * sizeof(wchar_t));
    sendBounded(statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel), text.pointer());
    return text.readText(length);
}

int dpiOf(HWND control);

// How many pixels of a text in the program's font (宋体 13 px at 96 DPI, scaled) do not fit a
// width: what a user sees cut off. The font is made here: a font handle of the program's own
// would mean nothing in this process.
int textOverflow(HWND control, const std::wstring& text, int width) {
    HFONT font = CreateFontW(-MulDiv(13, dpiOf(control), 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    DeleteObject(font);
    return extent.cx - width;
}

int dpiOf(HWND control) {
    HDC dc = GetDC(control);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(control, dc);
    return dpi;
}

// The width a control has for its one line of text: a check box or radio button loses its box and
// the gap after it, a push button its frame. 0 for controls whose text is not one line.
int textWidth(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const int width = client.right - client.left;
    const int dpi = dpiOf(control);
    if (sameClass(control, L"Static")) return width;
    if (!sameClass(control, L"Button")) return 0;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (style & BS_MULTILINE) return 0;
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_3STATE:
        case BS_AUTO3STATE:
            return width - MulDiv(13 + 4, dpi, 96);
        case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON:
            return width - MulDiv(6, dpi, 96);
        default:
            return 0;
    }
}

// Every visible caption below a window that does not fit its control, and every status bar
// panel whose text does not fit it: one line each, "<overflow in pixels> <text>".
std::wstring overflowingTexts(HWND window) {
    std::vector<std::wstring> rows;
    auto report = [&](int overflow, const std::wstring& text) {
        if (overflow > 0) rows.push_back(number(static_cast<long long>(overflow)) + L" " + escape(text));
    };
    for (HWND control : descendants(window)) {
        if (!IsWindowVisible(control)) continue;
        if (sameClass(control, STATUSCLASSNAMEW)) {
            const LRESULT parts = sendBounded(control, SB_GETPARTS, 0, 0);
            for (LRESULT part = 0; part < parts; ++part) {
                RemoteBuffer rect(control, sizeof(RECT));
                sendBounded(control, SB_GETRECT, static_cast<WPARAM>(part), rect.pointer());
                RECT r{};
                rect.read(&r, sizeof r);
                report(textOverflow(control, statusPanel(control, part), r.right - r.left - MulDiv(6, dpiOf(control), 96)),
                       statusPanel(control, part));
            }
            continue;
        }
        const int width = textWidth(control);
        const std::wstring text = storedText(control);
        if (width > 0 && !text.empty()) report(textOverflow(control, text, width), text);
    }
    return listing(rows);
}

// List views: the item structure and the text it points to both live in the program's memory.
void checkListViewRow(HWND listView, long long row) {
    if (row < 0 || row >= sendBounded(listView, LVM_GETITEMCOUNT, 0, 0))
        throw Error("no such row");
}

std::wstring listViewText(HWND listView, long long row, long long column) {
    checkListViewRow(listView, row);
    constexpr std::size_t kMaxChars = 1024;
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + kMaxChars * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = static_cast<int>(column);
    item.pszText = reinterpret_cast<LPWSTR>(buffer.pointerAt(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kMaxChars);
    buffer.write(&item, sizeof item);
    sendBounded(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), buffer.pointer());
    std::vector<wchar_t> all(sizeof(LVITEMW) / sizeof(wchar_t) + kMaxChars);
    buffer.read(all.data(), all.size() * sizeof(wchar_t));
    const wchar_t* text = all.data() + sizeof(LVITEMW) / sizeof(wchar_t);
    return std::wstring(text, wcsnlen(text, kMaxChars));
}

// The items of a combo or list box, one a line, through its count, length and text messages.
std::wstring itemTexts(HWND box, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::wstring all;
    LRESULT count = sendBounded(box, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = sendBounded(box, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        sendBounded(box, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(length > 0 ? length : 0));
        all += (i ? L"\n" : L"") + item;
    }
    return all;
}

// Selects one row alone and gives it the focus, as a click on it would.
void listViewSelect(HWND listView, long long row) {
    checkListViewRow(listView, row);
    RemoteBuffer buffer(listView, sizeof(LVITEMW));
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.write(&item, sizeof item);
    sendBounded(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), buffer.pointer());
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.write(&item, sizeof item);
    if (!sendBounded(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(row), buffer.pointer()))
        throw Error("the list view refused the selection");
}

int dialogButtonId(const std::wstring& name) {
    if (name == L"ok")
        return IDOK;
    if (name == L"yes")
        return IDYES;
    if (name == L"no")
        return IDNO;
    if (name == L"cancel")
        return IDCANCEL;
    throw Error("unknown button; use ok, yes, no or cancel");
}

using Command = std::function<std::wstring(Args&)>;

std::map<std::wstring, Command> commands() {
    std::map<std::wstring, Command> table;

    table[L"wait-window"] = [](Args& args) {
        std::wstring cls = args.word("class");
        long long timeout = args.integer("timeout");
        args.end();
        return handle(pollFor(timeout, [&] { return FindWindowW(cls.c_str(), nullptr); }));
    };
    table[L"wait-window-caption"] = [](Args& args) {
        long long timeout = args.integer("timeout");
        std::wstring caption = args.text();
        return handle(pollFor(timeout, [&] { return FindWindowW(nullptr, caption.c_str()); }));
    };
    table[L"find"] = [](Args& args) {
        HWND parent = args.window();
        std::wstring caption = args.text();
        for (HWND child : descendants(parent))
            if (storedText(child) == caption)
                return handle(child);
        throw Error("no such window");
    };
    table[L"find-class"] = [](Args& args) {
        HWND parent = args.window();
        std::wstring cls = args.word("class");
        long long index = args.integer("index");
        args.end();
        for (HWND child : descendants(parent))
            if (sameClass(child, cls) && index-- == 0)
                return handle(child);
        throw Error("no such window");
    };
    table[L"click"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        post(window, BM_CLICK, 0, 0);
        return std::wstring();
    };
    table[L"get-text"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        return escape(windowText(window));
    };
    table[L"set-text"] = [](Args& args) {
        HWND window = args.window();
        std::wstring text = args.text();
        if (!sendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
            throw Error("the window refused the text");
        return std::wstring();
    };
    table[L"type-char"] = [](Args& args) {
        HWND window = args.window();
        std::wstring text = args.text();
        bool surrogatePair = text.size() == 2 && IS_HIGH_SURROGATE(text[0]) && IS_LOW_SURROGATE(text[1]);
        if (text.size() != 1 && !surrogatePair)
            throw Error("type-char takes exactly one character");
        for (wchar_t unit : text)
            post(window, WM_CHAR, unit, 1);
        return std::wstring();
    };
    table[L"is-visible"] = [](Args& args) {
        HWND window = args.anyWindow();
        args.end();
        settle(window);
        return number(static_cast<long long>(IsWindowVisible(window) ? 1 : 0));
    };
    table[L"is-enabled"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        settle(window);
        return number(static_cast<long long>(IsWindowEnabled(window) ? 1 : 0));
    };
    table[L"is-checked"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        // BST_CHECKED is 1, BST_UNCHECKED 0; a three-state box may also answer BST_INDETERMINATE (2).
        return number(static_cast<long long>(sendBounded(window, BM_GETCHECK, 0, 0)));
    };
    table[L"rect"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        RECT r;
        GetWindowRect(window, &r);
        return number(static_cast<long long>(r.left)) + L" " + number(static_cast<long long>(r.top)) + L" " +
               number(static_cast<long long>(r.right)) + L" " + number(static_cast<long long>(r.bottom));
    };
    table[L"owner"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        return handle(GetWindow(window, GW_OWNER));
    };
    table[L"status"] = [](Args& args) {
        HWND statusBar = args.window();
        long long panel = args.integer("panel");
        args.end();
        return escape(statusPanel(statusBar, panel));
    };
    table[L"lv-text"] = [](Args& args) {
        HWND listView = args.window();
        long long row = args.integer("row");
        long long column = args.integer("column");
        args.end();
        return escape(listViewText(listView, row, column));
    };
    table[L"lv-select"] = [](Args& args) {
        HWND listView = args.window();
        long long row = args.integer("row");
        args.end();
        listViewSelect(listView, row);
        return std::wstring();
    };
    // Combo and list boxes marshal their item texts across processes themselves.
    table[L"combo-items"] = [](Args& args) {
        HWND combo = args.window();
        args.end();
        return escape(itemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT));
    };
    table[L"list-items"] = [](Args& args) {
        HWND list = args.window();
        args.end();
        return escape(itemTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT));
    };
    table[L"combo-select"] = [](Args& args) {
        HWND combo = args.window();
        std::wstring item = args.text();
        LRESULT index = sendBounded(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
        if (index == CB_ERR)
            throw Error("no such item");
        sendBounded(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        // Tell the owner, as a choice made with the mouse would.
        sendBounded(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo));
        return std::wstring();
    };
    // Date and time pickers take and give a SYSTEMTIME, which must live in the program's memory.
    table[L"dtp-set"] = [](Args& args) {
        HWND picker = args.window();
        SYSTEMTIME st = {};
        st.wYear = static_cast<WORD>(args.integer("year"));
        st.wMonth = static_cast<WORD>(args.integer("month"));
        st.wDay = static_cast<WORD>(args.integer("day"));
        st.wHour = static_cast<WORD>(args.integer("hour"));
        st.wMinute = static_cast<WORD>(args.integer("minute"));
        st.wSecond = static_cast<WORD>(args.integer("second"));
        args.end();
        RemoteBuffer buffer(picker, sizeof st);
        buffer.write(&st, sizeof st);
        if (!sendBounded(picker, DTM_SETSYSTEMTIME, GDT_VALID, buffer.pointer()))
            throw Error("the picker refused the time");
        return std::wstring();
    };
    table[L"dtp-get"] = [](Args& args) {
        HWND picker = args.window();
        args.end();
        RemoteBuffer buffer(picker, sizeof(SYSTEMTIME));
        if (sendBounded(picker, DTM_GETSYSTEMTIME, 0, buffer.pointer()) != GDT_VALID)
            throw Error("the picker holds no time");
        SYSTEMTIME st = {};
        buffer.read(&st, sizeof st);
        wchar_t text[32];
        swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                 st.wSecond);
        return std::wstring(text);
    };
    table[L"msgbox"] = [](Args& args) {
        long long timeout = args.integer("timeout");
        args.end();
        HWND box = pollFor(timeout, visibleMessageBox);
        return handle(box) + L" " + escape(windowText(GetDlgItem(box, kMessageBoxTextId)));
    };
    table[L"msgbox-caption"] = [](Args& args) {
        HWND box = args.window();
        args.end();
        return escape(windowText(box));
    };
    table[L"press"] = [](Args& args) {
        HWND dialog = args.window();
        std::wstring name = args.word("button");
        args.end();
        int id = dialogButtonId(name);
        // Pressing a button the dialog does not have would still end a message box under Wine, and
        // hide that the program asked the wrong question.
        HWND button = GetDlgItem(dialog, id);
        if (!button)
            throw Error("the dialog has no such button");
        post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return std::wstring();
    };
    table[L"close"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        post(window, WM_CLOSE, 0, 0);
        return std::wstring();
    };
    table[L"post"] = [](Args& args) {
        HWND window = args.window();
        UINT message = static_cast<UINT>(args.integer("message"));
        WPARAM wparam = static_cast<WPARAM>(args.integer("wparam"));
        LPARAM lparam = static_cast<LPARAM>(args.integer("lparam"));
        args.end();
        post(window, message, wparam, lparam);
        return std::wstring();
    };
    table[L"send"] = [](Args& args) {
        HWND window = args.window();
        UINT message = static_cast<UINT>(args.integer("message"));
        WPARAM wparam = static_cast<WPARAM>(args.integer("wparam"));
        LPARAM lparam = static_cast<LPARAM>(args.integer("lparam"));
        args.end();
        return number(static_cast<long long>(sendBounded(window, message, wparam, lparam)));
    };
    table[L"overflows"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        settle(window);
        return overflowingTexts(window);
    };
    // The controls Tab goes through from the first, each as "<class> <text>", one a line.
    table[L"tab-order"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        settle(window);
        std::vector<std::wstring> rows;
        HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
        HWND control = first;
        for (int n = 0; control && n < 200; ++n) {
            rows.push_back(className(control) + L" " + escape(storedText(control)));
            control = GetNextDlgTabItem(window, control, FALSE);
            if (control == first) break;
        }
        return listing(rows);
    };
    table[L"foreground"] = [](Args& args) {
        args.end();
        return handle(GetForegroundWindow());
    };
    // Whether the window's thread takes a message within the given milliseconds: 1 or 0.
    table[L"answers"] = [](Args& args) {
        HWND window = args.window();
        UINT timeout = static_cast<UINT>(args.integer("timeout"));
        args.end();
        DWORD_PTR ignored = 0;
        return std::wstring(
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeout, &ignored) ? L"1" : L"0");
    };
    // Opens a file as another program that keeps it open would: others may read it, but neither
    // delete nor move it. It stays open until the driver ends.
    table[L"hold-file"] = [](Args& args) {
        std::wstring path = args.text();
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            throw Error("cannot open the file");
        return std::wstring();
    };
    // Every top-level window, one a line: "<hwnd> <process id> <visible> <enabled> <class> <caption>".
    table[L"windows"] = [](Args& args) {
        args.end();
        std::vector<std::wstring> rows;
        for (HWND window : topLevelWindows()) rows.push_back(describe(window));
        return listing(rows);
    };
    // Every control below a window, one a line: "<hwnd> <id> <style> <visible> <enabled> <class> <text>".
    table[L"controls"] = [](Args& args) {
        HWND window = args.window();
        args.end();
        settle(window);
        std::vector<std::wstring> rows;
        for (HWND control : descendants(window)) {
            rows.push_back(handle(control) + L" " + number(static_cast<long long>(GetDlgCtrlID(control))) + L" " +
                           number(static_cast<unsigned long long>(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)))) +
                           L" " + (IsWindowVisible(control) ? L"1 " : L"0 ") + (IsWindowEnabled(control) ? L"1 " : L"0 ") +
                           className(control) + L" " + escape(storedText(control)));
        }
        return listing(rows);
    };
    // Chooses the row of a combo box, list box or list view as a click on it would, owner told.
    table[L"choose"] = [](Args& args) {
        HWND box = args.window();
        long long row = args.integer("row");
        args.end();
        if (sameClass(box, WC_LISTVIEWW)) {
            listViewSelect(box, row);
            return std::wstring();
        }
        const bool combo = sameClass(box, WC_COMBOBOXW);
        if (!combo && !sameClass(box, WC_LISTBOXW))
            throw Error("not a combo box, list box or list view");
        if (sendBounded(box, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0) == (combo ? CB_ERR : LB_ERR))
            throw Error("no such row");
        const WORD notification = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
        sendBounded(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), notification), reinterpret_cast<LPARAM>(box));
        return std::wstring();
    };
    // The keys and mouse buttons the system holds down now, as virtual-key codes.
    table[L"keys-down"] = [](Args& args) {
        args.end();
        std::wstring out;
        for (int vk = 1; vk < 256; ++vk)
            if (GetAsyncKeyState(vk) & 0x8000)
                out += (out.empty() ? L"" : L" ") + number(static_cast<long long>(vk));
        return out;
    };
    // hold-key VK MS: holds the key down for MS milliseconds as a keyboard does, pressing it again
    // at the auto-repeat's pace (after 500 ms, 30 times a second), then lets it go. The virtual X
    // server repeats no key by itself.
    table[L"hold-key"] = [](Args& args) {
        const auto vk = static_cast<WORD>(args.integer("virtual key"));
        const long long holdMs = args.integer("milliseconds");
        args.end();
        const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
        auto send = [&](DWORD flags) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = flags | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
            if (SendInput(1, &input, sizeof input) != 1)
                throw Error("SendInput refused the key");
        };
        auto sleepUntil = [](ULONGLONG at) {
            const ULONGLONG now = GetTickCount64();
            if (at > now)
                Sleep(static_cast<DWORD>(at - now));
        };
        const ULONGLONG start = GetTickCount64();
        const ULONGLONG end = start + static_cast<ULONGLONG>(holdMs);
        send(0);
        for (ULONGLONG due = start + 500; due < end; due += 33) {
            sleepUntil(due);
            send(0);
        }
        sleepUntil(end);
        send(KEYEVENTF_KEYUP);
        return std::wstring();
    };
    // place HWND X Y WIDTH HEIGHT: moves and sizes a top-level window, as a user drags it.
    table[L"place"] = [](Args& args) {
        HWND window = args.window();
        const int x = static_cast<int>(args.integer("x")), y = static_cast<int>(args.integer("y"));
        const int width = static_cast<int>(args.integer("width")), height = static_cast<int>(args.integer("height"));
        args.end();
        if (!SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE))
            throw Error("the window cannot be placed");
        return std::wstring();
    };
    table[L"cursor"] = [](Args& args) {
        args.end();
        POINT p;
        if (!GetCursorPos(&p))
            throw Error("no cursor position");
        return number(static_cast<long long>(p.x)) + L" " + number(static_cast<long long>(p.y));
    };
    return table;
}

class LineReader {
public:
    explicit LineReader(HANDLE input) : input_(input) {}

    bool next(std::string& line) {
        for (;;) {
            std::size_t end = pending_.find('\n');
            if (end != std::string::npos) {
                line = pending_.substr(0, end);
                pending_.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return true;
            }
            char chunk[4096];
            DWORD got = 0;
            if (!ReadFile(input_, chunk, sizeof chunk, &got, nullptr) || got == 0) {
                // A last command without a line break still counts.
                line.swap(pending_);
                pending_.clear();
                return !line.empty();
            }
            pending_.append(chunk, got);
        }
    }

private:
    HANDLE input_;
    std::string pending_;
};

void writeLine(HANDLE output, std::string line) {
    line += '\n';
    const char* data = line.data();
    DWORD left = static_cast<DWORD>(line.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(output, data, left, &written, nullptr))
            ExitProcess(1);  // nobody is listening any more
        data += written;
        left -= written;
    }
}

}  // namespace

int main() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const std::map<std::wstring, Command> table = commands();
    LineReader reader(input);
    std::string line;
    while (reader.next(line)) {
        Args args(fromUtf8(line));
        std::string answer;
        bool quit = false;
        try {
            std::wstring name = args.word("command");
            if (name == L"quit") {
                args.end();
                quit = true;
                answer = "ok";
            } else {
                auto command = table.find(name);
                if (command == table.end())
                    throw Error("unknown command");
                std::wstring result = command->second(args);
                answer = result.empty() ? "ok" : "ok " + toUtf8(result);
            }
        } catch (const std::exception& e) {
            answer = std::string("err ") + e.what();
        }
        writeLine(output, answer);
        if (quit)
            break;
    }
    return 0;
}
