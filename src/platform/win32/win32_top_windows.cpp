#include "platform/win32/win32_top_windows.h"

#include <algorithm>

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
    return platform::WindowPlace{{origin.x, origin.y, client.right - client.left, client.bottom - client.top},
                                 dpiOf(window)};
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

bool Win32TopWindows::isOwnWindow(uintptr_t handle) {
    DWORD process = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(handle), &process);
    return process == GetCurrentProcessId();
}

}  // namespace tapmill::win32
