#include "platform/win32/win32_top_windows.h"

#include <algorithm>
#include <vector>

#include "common/window_match.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

namespace {

// InternalGetWindowText reads the title the system keeps, without sending WM_GETTEXT to a program
// that may be hung. A title is another program's text and can hold line breaks; this program keeps
// titles on one line (a script line, a key of a recording), so they read as spaces everywhere, in
// finding a window too.
std::string titleOf(HWND window) {
    wchar_t title[512];
    const int length = InternalGetWindowText(window, title, static_cast<int>(sizeof title / sizeof title[0]));
    std::wstring text(title, static_cast<size_t>(length > 0 ? length : 0));
    std::replace(text.begin(), text.end(), L'\r', L' ');
    std::replace(text.begin(), text.end(), L'\n', L' ');
    return narrow(text);
}

std::string classOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
    return length > 0 ? narrow(std::wstring(name, static_cast<size_t>(length))) : std::string();
}

platform::TopWindow describe(HWND window, std::string title) {
    return {reinterpret_cast<uintptr_t>(window), std::move(title), classOf(window)};
}

BOOL CALLBACK collectVisible(HWND window, LPARAM into) {
    if (!IsWindowVisible(window)) return TRUE;
    std::string title = titleOf(window);
    if (title.empty()) return TRUE;
    reinterpret_cast<std::vector<platform::TopWindow>*>(into)->push_back(describe(window, std::move(title)));
    return TRUE;
}

// GetDpiForWindow came with Windows 10 1607; before it every window is drawn for the system's DPI.
int dpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// How the window's program draws for the DPI (GetWindowDpiAwarenessContext came with Windows 10
// 1607; before it a window is taken as drawn per monitor, as the DPI it reads then is the system's).
platform::DpiAwareness awarenessOf(HWND window) {
    // DPI_AWARENESS_CONTEXT is a handle, DPI_AWARENESS an int: UNAWARE 0, SYSTEM_AWARE 1,
    // PER_MONITOR_AWARE 2 (not every header set this builds with declares them).
    using ContextOfWindowFn = HANDLE(WINAPI*)(HWND);
    using AwarenessOfContextFn = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    static const auto contextOf = reinterpret_cast<ContextOfWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    static const auto awarenessOfContext = reinterpret_cast<AwarenessOfContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!contextOf || !awarenessOfContext) return platform::DpiAwareness::PerMonitor;
    switch (awarenessOfContext(contextOf(window))) {
        case 0: return platform::DpiAwareness::Unaware;
        case 1: return platform::DpiAwareness::System;
        default: return platform::DpiAwareness::PerMonitor;
    }
}

// The effective DPI of the monitor the window is on (GetDpiForMonitor came with Windows 8.1); 0
// where it cannot be read.
int monitorDpiOf(HWND window) {
    using DpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const HMODULE shcore = LoadLibraryW(L"shcore.dll");
    static const auto dpiForMonitor = shcore ? reinterpret_cast<DpiForMonitorFn>(reinterpret_cast<void*>(
                                                   GetProcAddress(shcore, "GetDpiForMonitor")))
                                             : nullptr;
    if (!dpiForMonitor) return 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    if (FAILED(dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y))) return 0;
    return static_cast<int>(x);
}

// The integrity level (SECURITY_MANDATORY_..._RID) of a process; none where it cannot be read.
std::optional<DWORD> integrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    std::optional<DWORD> level;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
        const UCHAR count = *GetSidSubAuthorityCount(sid);
        if (count > 0) level = *GetSidSubAuthority(sid, count - 1);
    }
    CloseHandle(token);
    return level;
}

// Under Wine the X server's stacking, which decides the window a pointer move enters and so the
// window Wine then puts in front, follows a raise only when no visible window stays above the raised
// one; a topmost window, such as the program's own state indicator, always does. Made topmost for a
// moment, the window goes above them all there too, and then back to the front of the ordinary
// windows. A window that is topmost already is left as it is.
void raiseAboveTopmostForAMoment(HWND window) {
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) return;
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kOrderOnly);
}

}  // namespace

std::vector<platform::TopWindow> Win32TopWindows::visibleWindows() {
    std::vector<platform::TopWindow> windows;
    EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<platform::TopWindow> Win32TopWindows::windowsOfClass(const std::string& className) {
    std::vector<platform::TopWindow> windows;
    const std::wstring wanted = widen(className);
    // FindWindowEx walks the desktop's children in their order on the screen, front to back. Each
    // of them is of the class asked for: asking the system for it again would only cost time.
    for (HWND window = FindWindowExW(nullptr, nullptr, wanted.c_str(), nullptr); window;
         window = FindWindowExW(nullptr, window, wanted.c_str(), nullptr))
        if (IsWindowVisible(window))
            windows.push_back({reinterpret_cast<uintptr_t>(window), titleOf(window), className});
    return windows;
}

std::optional<platform::TopWindow> Win32TopWindows::frontWindowTitled(const std::string& className,
                                                                      const std::string& title) {
    const std::wstring wantedClass = widen(className), wantedTitle = widen(title);
    // FindWindowEx compares titles without regard to case; a title that differs in case is not
    // this one, and the search goes on behind it.
    for (HWND window = FindWindowExW(nullptr, nullptr, wantedClass.c_str(), wantedTitle.c_str()); window;
         window = FindWindowExW(nullptr, window, wantedClass.c_str(), wantedTitle.c_str())) {
        if (!IsWindowVisible(window)) continue;
        std::string exact = titleOf(window);
        if (exact == title) return platform::TopWindow{reinterpret_cast<uintptr_t>(window), std::move(exact), className};
    }
    return std::nullopt;
}

std::optional<platform::TopWindow> Win32TopWindows::windowAt(int x, int y) {
    HWND window = reinterpret_cast<HWND>(windowHandleAt(x, y));
    if (!window) return std::nullopt;
    return describe(window, titleOf(window));
}

uintptr_t Win32TopWindows::windowHandleAt(int x, int y) {
    HWND child = WindowFromPoint(POINT{x, y});
    return reinterpret_cast<uintptr_t>(child ? GetAncestor(child, GA_ROOT) : nullptr);
}

std::optional<platform::TopWindow> Win32TopWindows::windowOf(uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (!IsWindow(window)) return std::nullopt;
    return describe(window, titleOf(window));
}

std::optional<platform::WindowPlace> Win32TopWindows::placeOf(uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    RECT client;
    if (!IsWindow(window) || IsIconic(window) || !GetClientRect(window, &client)) return std::nullopt;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    platform::WindowPlace place{{origin.x, origin.y, client.right - client.left, client.bottom - client.top},
                                dpiOf(window), awarenessOf(window), monitorDpiOf(window)};
    place.dpi = drawnDpi(place.awareness, place.dpi, place.monitorDpi);
    return place;
}

uintptr_t Win32TopWindows::foregroundWindow() { return reinterpret_cast<uintptr_t>(GetForegroundWindow()); }

bool Win32TopWindows::bringToFront(uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (!IsWindow(window)) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // The system lets only the thread that has the input hand the foreground on: join the input of
    // the foreground window's thread for the moment of the call.
    const DWORD own = GetCurrentThreadId();
    HWND foreground = GetForegroundWindow();
    const DWORD front = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool joined = front && front != own && AttachThreadInput(own, front, TRUE);
    BringWindowToTop(window);
    raiseAboveTopmostForAMoment(window);
    SetForegroundWindow(window);
    if (joined) AttachThreadInput(own, front, FALSE);
    return GetForegroundWindow() == window;
}

uintptr_t Win32TopWindows::focusWindow() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return 0;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        return reinterpret_cast<uintptr_t>(GetAncestor(info.hwndFocus, GA_ROOT));
    return reinterpret_cast<uintptr_t>(foreground);
}

bool Win32TopWindows::hasHigherRights(uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window == asked_ && process == askedProcess_) return askedHigher_;
    if (!ownLevel_) ownLevel_ = integrityLevel(GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID);
    std::optional<DWORD> level;
    if (HANDLE opened = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)) {
        level = integrityLevel(opened);
        CloseHandle(opened);
    }
    asked_ = window;
    askedProcess_ = process;
    // A level that cannot be read stops nothing: SendInput's answer still tells a refusal.
    askedHigher_ = level && *level > *ownLevel_;
    return askedHigher_;
}

bool Win32TopWindows::isOwnWindow(uintptr_t handle) {
    DWORD process = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(handle), &process);
    return process == GetCurrentProcessId();
}

}  // namespace tapmill::win32
