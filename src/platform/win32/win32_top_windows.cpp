#include "platform/win32/win32_top_windows.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

namespace {

BOOL CALLBACK collectVisible(HWND window, LPARAM into) {
    if (!IsWindowVisible(window)) return TRUE;
    // InternalGetWindowText reads the title the system keeps, without sending WM_GETTEXT to a
    // program that may be hung.
    wchar_t title[512];
    const int length = InternalGetWindowText(window, title, static_cast<int>(sizeof title / sizeof title[0]));
    if (length <= 0) return TRUE;
    reinterpret_cast<std::vector<platform::TopWindow>*>(into)->push_back(
        {reinterpret_cast<uintptr_t>(window), narrow(std::wstring(title, static_cast<size_t>(length)))});
    return TRUE;
}

}  // namespace

std::vector<platform::TopWindow> Win32TopWindows::visibleWindows() {
    std::vector<platform::TopWindow> windows;
    EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

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
    SetForegroundWindow(window);
    if (joined) AttachThreadInput(own, front, FALSE);
    return GetForegroundWindow() == window;
}

}  // namespace tapmill::win32
