#include "platform/win32/win32_cancel_key_watch.h"

#include "platform/win32/message_window.h"
#include "platform/win32/win32_pump.h"

namespace tapmill::win32 {

namespace {

const wchar_t* const kWatchClass = L"TapmillCancelKeyWatch";
constexpr UINT kCancelMessage = WM_APP + 0x53;

// The window the cancel goes to, and the user's keys as the hook has seen them. The hook
// callback has no other way to find them; one watch runs at a time.
HWND cancelWindow = nullptr;
bool controlHeld = false;
bool escapeTaken = false;

bool isControl(DWORD vk) { return vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL; }

}  // namespace

Win32CancelKeyWatch::~Win32CancelKeyWatch() {
    stop();
    if (window_) DestroyWindow(window_);
}

void Win32CancelKeyWatch::start() {
    if (thread_.joinable()) return;
    if (!window_) window_ = createMessageWindow(kWatchClass, windowProc, this);
    if (!window_) return;
    cancelWindow = window_;
    controlHeld = GetAsyncKeyState(VK_CONTROL) < 0;
    escapeTaken = false;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return;
    thread_ = std::thread(&Win32CancelKeyWatch::hookThread, this, ready);
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

void Win32CancelKeyWatch::stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void Win32CancelKeyWatch::hookThread(HANDLE ready) {
    threadId_ = GetCurrentThreadId();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the WM_QUIT of stop()
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, GetModuleHandleW(nullptr), 0);
    SetEvent(ready);
    if (!hook) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK Win32CancelKeyWatch::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && !(info->flags & LLKHF_INJECTED)) {
        const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        if (isControl(info->vkCode)) controlHeld = down;
        if (info->vkCode == VK_ESCAPE && down && controlHeld) {
            escapeTaken = true;
            PostMessageW(cancelWindow, kCancelMessage, 0, 0);
            return 1;
        }
        // The release of a press taken out goes too.
        if (info->vkCode == VK_ESCAPE && !down && escapeTaken) {
            escapeTaken = false;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Win32CancelKeyWatch::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCancelMessage) {
        sendToThreadWindows(WM_CANCELJOURNAL);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tapmill::win32
