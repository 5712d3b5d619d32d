// target <logfile> [detail] [opens <title> <ms>] [square <ms> [x y]] [window <x> <y> <w> <h>] [title <text>]
//        [saves]:
// a full-screen, topmost window that logs every mouse button and key it receives, so the end-to-end
// tests can check what was injected or replayed into it. One line per event, appended and closed at
// once so that the test can read the log while the window runs:
//   READY            first, once the window is shown and has the focus
//   LDOWN x y @t     LUP x y @t     RDOWN x y @t     RUP x y @t   (client coordinates, which are the
//                                                                 screen's for the full-screen window)
//   MDOWN x y @t     MUP x y @t     WHEEL delta @t
//   a button made with Shift or Ctrl held also gives the message's MK_SHIFT | MK_CONTROL bits:
//   LDOWN x y 4 @t (Shift), 8 (Ctrl)
//   KEYDOWN vk @t    KEYUP vk @t                                 (virtual-key code, decimal)
// With "detail", key lines also give the scan code the message carries (lParam bits 16-23) and
// the one MapVirtualKey gives the key, "KEYDOWN vk scan mapped @t", and each character the keys
// make is logged as "CHAR code @t" (the UTF-16 code, decimal).
// With "opens", a second top-level window of that title opens ms milliseconds after the first right
// button press and "OPENED @t" is logged, for scripts that wait for a window.
// With "square", a 40 x 40 square of four coloured quarters (kSquareColours, top left, top right,
// bottom left, bottom right) is painted ms milliseconds after READY at a random place, or with its
// top left at x y when they are given, and
// "SQUARE x y @t" logs its top left once it is on the screen, for scripts that wait for an image
// or a colour.
// With "window", it is instead an ordinary window a user can move, size and cover, its frame at
// x, y and w x h pixels, of its own class (TapmillTargetWindow) so that it never stands for the
// full-screen one, titled "tapmill-target window" or the text of "title". Each time its client area
// is placed anew (and once after READY) it logs "CLIENT left top width height" (the screen
// rectangle of the client area).
// With "saves", Ctrl+S opens a save box beside the window, as an editor's "Save as" does: a
// top-level window titled "tapmill-target save" (class TapmillTargetSave) with a name field that
// has the keyboard, the window itself disabled meanwhile. Enter in the field closes the box at
// once, logs "SAVED c1 c2 ..." (the UTF-16 codes of the name, decimal) and gives the keyboard back
// to the window.
// where t is when the window got the event: milliseconds on the performance counter, to the
// microsecond, so the tests can measure the gaps of a replay.
// The class has no CS_DBLCLKS: a double click must arrive as down/up/down/up, exactly as a replay
// produces it, not as a WM_LBUTTONDBLCLK the log would have to translate.

#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <string>

#include "platform/win32/qpc_milliseconds.h"

namespace {

constexpr wchar_t kCaption[] = L"tapmill-target";
constexpr UINT_PTR kFocusTimer = 1;
constexpr UINT kFocusPollMs = 50;
constexpr UINT_PTR kOpenTimer = 2;

std::wstring logPath;
bool ready = false;
bool detail = false;
std::wstring openedTitle;
UINT openAfterMs = 0;
bool openArmed = false;
constexpr UINT_PTR kSquareTimer = 3;
constexpr int kSquareSide = 40;
constexpr COLORREF kSquareColours[4] = {RGB(0xD0, 0x40, 0x20), RGB(0x20, 0xC0, 0x40), RGB(0x20, 0x40, 0xD0),
                                        RGB(0xE0, 0xC0, 0x20)};
UINT squareAfterMs = 0;
bool squareWanted = false;
bool squareShown = false;
bool squarePlaced = false;
POINT squareAt = {};
bool windowed = false;
struct {
    int x, y, width, height;
} frame = {};
std::wstring windowTitle = L"tapmill-target window";
bool saves = false;
HWND saveBox = nullptr;
HWND saveName = nullptr;

void logLine(const std::string& line) {
    FILE* log = _wfopen(logPath.c_str(), L"ab");
    if (!log)
        return;
    std::fputs((line + "\n").c_str(), log);
    std::fclose(log);
}

void logEvent(const std::string& event) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, " @%.3f", tapmill::win32::qpcMilliseconds());
    logLine(event + stamp);
}

void logButton(HWND window, const char* name, WPARAM wparam, LPARAM lparam) {
    POINT p = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!windowed)
        ClientToScreen(window, &p);
    const WPARAM modifiers = wparam & (MK_SHIFT | MK_CONTROL);
    logEvent(std::string(name) + " " + std::to_string(p.x) + " " + std::to_string(p.y) +
             (modifiers ? " " + std::to_string(modifiers) : std::string()));
}

void logClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    logEvent("CLIENT " + std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
             std::to_string(client.right) + " " + std::to_string(client.bottom));
}

void logKey(const char* name, WPARAM vk, LPARAM lparam) {
    std::string line = std::string(name) + " " + std::to_string(vk);
    if (detail)
        line += " " + std::to_string((lparam >> 16) & 0xFF) + " " + std::to_string(MapVirtualKeyW(static_cast<UINT>(vk), 0) & 0xFF);
    logEvent(line);
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(dc, kCaption, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (squareShown) {
        const int half = kSquareSide / 2;
        for (int quarter = 0; quarter < 4; ++quarter) {
            const RECT part = {squareAt.x + quarter % 2 * half, squareAt.y + quarter / 2 * half,
                               squareAt.x + quarter % 2 * half + half, squareAt.y + quarter / 2 * half + half};
            HBRUSH brush = CreateSolidBrush(kSquareColours[quarter]);
            FillRect(dc, &part, brush);
            DeleteObject(brush);
        }
    }
    EndPaint(window, &ps);
}

// Somewhere away from the caption in the middle, where nothing else is painted.
void showSquare(HWND window) {
    KillTimer(window, kSquareTimer);
    if (!squarePlaced) {
        RECT client;
        GetClientRect(window, &client);
        LARGE_INTEGER seed;
        QueryPerformanceCounter(&seed);
        srand(static_cast<unsigned>(seed.QuadPart));
        squareAt.x = 20 + rand() % (client.right / 2 - kSquareSide - 40);
        squareAt.y = 20 + rand() % (client.bottom - kSquareSide - 40);
        if (rand() % 2)
            squareAt.x += client.right / 2;
    }
    squareShown = true;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    GdiFlush();
    logEvent("SQUARE " + std::to_string(squareAt.x) + " " + std::to_string(squareAt.y));
}

// The second window: an ordinary one below the topmost target, shown without taking the focus.
void openSecondWindow(HWND target) {
    KillTimer(target, kOpenTimer);
    HWND second = CreateWindowExW(0, L"TapmillTargetSecond", openedTitle.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(second, SW_SHOWNOACTIVATE);
    logEvent("OPENED");
}

void openSaveBox(HWND owner) {
    if (saveBox)
        return;
    RECT frame;
    GetWindowRect(owner, &frame);
    saveBox = CreateWindowExW(0, L"TapmillTargetSave", L"tapmill-target save", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                              frame.right + 10, frame.top, 300, 120, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    saveName = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 270, 24,
                               saveBox, nullptr, GetModuleHandleW(nullptr), nullptr);
    EnableWindow(owner, FALSE);
    SetForegroundWindow(saveBox);
    SetFocus(saveName);
}

// Enter in the name field: the box goes before the key is done with, as a dialog's does.
void closeSaveBox() {
    wchar_t name[256] = {};
    GetWindowTextW(saveName, name, 256);
    std::string codes = "SAVED";
    for (const wchar_t* c = name; *c; ++c)
        codes += " " + std::to_string(static_cast<unsigned>(*c));
    HWND owner = GetWindow(saveBox, GW_OWNER);
    EnableWindow(owner, TRUE);
    DestroyWindow(saveBox);
    saveBox = saveName = nullptr;
    SetForegroundWindow(owner);
    logEvent(codes);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER:
        if (wparam == kOpenTimer) {
            openSecondWindow(window);
            return 0;
        }
        if (wparam == kSquareTimer) {
            showSquare(window);
            return 0;
        }
        // Under Wine the focus arrives asynchronously from X: READY waits until it is really here,
        // or the first injected key could go nowhere. A tick already queued may still come after
        // KillTimer, hence the flag.
        if (ready)
            return 0;
        if (GetForegroundWindow() == window) {
            ready = true;
            KillTimer(window, kFocusTimer);
            logLine("READY");
            if (windowed)
                logClient(window);
            if (squareWanted)
                SetTimer(window, kSquareTimer, squareAfterMs, nullptr);
        } else {
            SetForegroundWindow(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetForegroundWindow(window);
        logButton(window, "LDOWN", wparam, lparam);
        return 0;
    case WM_LBUTTONUP:
        logButton(window, "LUP", wparam, lparam);
        return 0;
    case WM_RBUTTONDOWN:
        if (openArmed) {
            openArmed = false;
            SetTimer(window, kOpenTimer, openAfterMs, nullptr);
        }
        SetForegroundWindow(window);
        logButton(window, "RDOWN", wparam, lparam);
        return 0;
    case WM_RBUTTONUP:
        logButton(window, "RUP", wparam, lparam);
        return 0;
    // The system-key messages are logged and then swallowed: handed on, Alt would enter menu mode
    // and Alt+F4 would close the window in the middle of a test.
    case WM_MBUTTONDOWN:
        logButton(window, "MDOWN", wparam, lparam);
        return 0;
    case WM_MBUTTONUP:
        logButton(window, "MUP", wparam, lparam);
        return 0;
    case WM_MOUSEWHEEL:
        logEvent("WHEEL " + std::to_string(GET_WHEEL_DELTA_WPARAM(wparam)));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        logKey("KEYDOWN", wparam, lparam);
        if (saves && wparam == 'S' && (GetKeyState(VK_CONTROL) & 0x8000))
            openSaveBox(window);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        logKey("KEYUP", wparam, lparam);
        return 0;
    case WM_CHAR:
        if (detail)
            logEvent("CHAR " + std::to_string(wparam));
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (windowed && ready)
            logClient(window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        MessageBoxW(nullptr, L"usage: target.exe LOGFILE", kCaption, MB_OK);
        return 2;
    }
    logPath = __wargv[1];
    for (int arg = 2; arg < __argc; ++arg) {
        const std::wstring option = __wargv[arg];
        if (option == L"detail") {
            detail = true;
        } else if (option == L"opens" && arg + 2 < __argc) {
            openedTitle = __wargv[arg + 1];
            openAfterMs = static_cast<UINT>(_wtoi(__wargv[arg + 2]));
            openArmed = true;
            arg += 2;
        } else if (option == L"square" && arg + 1 < __argc) {
            squareAfterMs = static_cast<UINT>(_wtoi(__wargv[arg + 1]));
            squareWanted = true;
            arg += 1;
            if (arg + 2 < __argc && iswdigit(__wargv[arg + 1][0]) && iswdigit(__wargv[arg + 2][0])) {
                squareAt = {_wtoi(__wargv[arg + 1]), _wtoi(__wargv[arg + 2])};
                squarePlaced = true;
                arg += 2;
            }
        } else if (option == L"window" && arg + 4 < __argc) {
            windowed = true;
            frame = {_wtoi(__wargv[arg + 1]), _wtoi(__wargv[arg + 2]), _wtoi(__wargv[arg + 3]), _wtoi(__wargv[arg + 4])};
            arg += 4;
        } else if (option == L"saves") {
            saves = true;
        } else if (option == L"title" && arg + 1 < __argc) {
            windowTitle = __wargv[arg + 1];
            arg += 1;
        }
    }

    WNDCLASSW cls = {};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = windowed ? L"TapmillTargetWindow" : L"TapmillTarget";
    RegisterClassW(&cls);
    WNDCLASSW second = {};
    second.lpfnWndProc = DefWindowProcW;
    second.hInstance = instance;
    second.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    second.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    second.lpszClassName = L"TapmillTargetSecond";
    RegisterClassW(&second);
    second.lpszClassName = L"TapmillTargetSave";
    RegisterClassW(&second);

    HWND window = windowed ? CreateWindowExW(0, cls.lpszClassName, windowTitle.c_str(), WS_OVERLAPPEDWINDOW, frame.x,
                                             frame.y, frame.width, frame.height, nullptr, nullptr, instance, nullptr)
                           : CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, kCaption, WS_POPUP, 0, 0,
                                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                             nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetTimer(window, kFocusTimer, kFocusPollMs, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (saveName && msg.hwnd == saveName && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            closeSaveBox();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
