#include "platform/win32/win32_pump.h"

#include <mmsystem.h>

namespace tapmill::win32 {

namespace {

BOOL CALLBACK sendToWindow(HWND hwnd, LPARAM message) {
    SendMessageW(hwnd, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

// An edit control that takes typing handles its own editing keys: Ctrl+Z undoes the typing there,
// Ctrl+X, C, V and A cut, copy, paste and select. A window's shortcut on such a key (the editor's
// undo) leaves them to it.
bool isTypingFieldsKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000)) return false;
    switch (msg.wParam) {
        case 'Z': case 'X': case 'C': case 'V': case 'A': break;
        default: return false;
    }
    wchar_t cls[16] = {0};
    if (!msg.hwnd || !GetClassNameW(msg.hwnd, cls, 16) || lstrcmpiW(cls, L"Edit") != 0) return false;
    return IsWindowEnabled(msg.hwnd) && !(GetWindowLongW(msg.hwnd, GWL_STYLE) & ES_READONLY);
}

}  // namespace

void sendToThreadWindows(UINT message) {
    EnumThreadWindows(GetCurrentThreadId(), sendToWindow, static_cast<LPARAM>(message));
}

bool forwardThreadMessage(const MSG& msg) {
    if (msg.hwnd || msg.message != WM_CANCELJOURNAL) return false;
    sendToThreadWindows(msg.message);
    return true;
}

bool translateShortcut(HWND active, MSG& msg) {
    if (!active || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || isTypingFieldsKey(msg)) return false;
    auto shortcuts = static_cast<HACCEL>(GetPropW(active, kShortcutsProp));
    return shortcuts && TranslateAcceleratorW(active, shortcuts, &msg);
}

Win32Pump::Win32Pump() { QueryPerformanceFrequency(&frequency_); }

uint32_t Win32Pump::tickMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const uint64_t count = static_cast<uint64_t>(now.QuadPart);
    const uint64_t freq = static_cast<uint64_t>(frequency_.QuadPart);
    return static_cast<uint32_t>(count / freq * 1000 + count % freq * 1000 / freq);
}

void Win32Pump::processPendingMessages() {
    MSG msg;
    while (!quit_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        if (forwardThreadMessage(msg)) continue;
        HWND active = GetActiveWindow();
        if (translateShortcut(active, msg)) continue;
        if (active && IsDialogMessageW(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Pump::waitForMessages(uint32_t maxMs) {
    if (quit_) {
        Sleep(maxMs);
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, maxMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int Win32Pump::runMessageLoop() {
    while (!quit_) {
        waitForMessages(INFINITE);
        processPendingMessages();
    }
    return exitCode_;
}

void Win32Pump::beginFineTiming() {
    if (fineTiming_++ == 0) timeBeginPeriod(1);
}

void Win32Pump::endFineTiming() {
    if (--fineTiming_ == 0) timeEndPeriod(1);
}

}  // namespace tapmill::win32
