#include "platform/win32/win32_low_level_recorder.h"

#include "platform/win32/message_window.h"

namespace tapmill::win32 {

namespace {

const wchar_t* const kSinkClass = L"TapmillJournalSink";
constexpr UINT kDeliverEvent = WM_APP + 0x51;
// The probe event of an install, told apart by its extra information.
constexpr ULONG_PTR kProbeTag = 0x54706D6C;
constexpr int kInstallAttempts = 5;
constexpr int kProbeWaitMs = 250;
constexpr int kProbePollMs = 5;

// The recorder whose hooks run now; the hook callbacks have no other way to find it.
Win32LowLevelRecorder* active = nullptr;

// Left and right modifier keys as one, the way the key messages report them.
DWORD messageKey(DWORD vk) {
    switch (vk) {
        case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
        case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
        case VK_LMENU: case VK_RMENU: return VK_MENU;
        default: return vk;
    }
}

HWND focusWindow() {
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (foreground && GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return foreground;
}

// The window under a point, found by the windows' rectangles alone: WindowFromPoint may send
// WM_NCHITTEST to the window's thread, which can be the very thread waiting for this hook.
HWND windowAt(POINT pt) {
    const UINT skip = CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT;
    HWND hwnd = ChildWindowFromPointEx(GetDesktopWindow(), pt, skip);
    while (hwnd) {
        POINT client = pt;
        ScreenToClient(hwnd, &client);
        HWND child = ChildWindowFromPointEx(hwnd, client, skip);
        if (!child || child == hwnd) break;
        hwnd = child;
    }
    return hwnd;
}

uint32_t handleBits(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

}  // namespace

bool Win32LowLevelRecorder::start(platform::JournalProcedure& procedure) {
    if (running()) return false;
    sink_ = createMessageWindow(kSinkClass, sinkProc, this);
    if (!sink_) return false;
    procedure_ = &procedure;
    active = this;
    for (int attempt = 0; attempt < kInstallAttempts; ++attempt) {
        if (!startHookThread()) break;
        if (hooksAnswer()) return true;
        stopHookThread();
    }
    stop();
    return false;
}

bool Win32LowLevelRecorder::startHookThread() {
    bool installed = false;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return false;
    thread_ = std::thread(&Win32LowLevelRecorder::hookThread, this, &installed, ready);
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (!installed) stopHookThread();
    return installed;
}

void Win32LowLevelRecorder::stopHookThread() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

bool Win32LowLevelRecorder::hooksAnswer() {
    probeSeen_ = false;
    INPUT probe{};
    probe.type = INPUT_MOUSE;
    probe.mi.dwFlags = MOUSEEVENTF_MOVE;  // by 0 pixels
    probe.mi.dwExtraInfo = kProbeTag;
    // Where the system blocks injected input there is nothing to prove the hooks with: they are
    // taken on trust.
    if (SendInput(1, &probe, sizeof probe) != 1) return true;
    for (int waited = 0; waited < kProbeWaitMs && !probeSeen_; waited += kProbePollMs) Sleep(kProbePollMs);
    return probeSeen_;
}

void Win32LowLevelRecorder::stop() {
    stopHookThread();
    if (active == this) active = nullptr;
    if (sink_) DestroyWindow(sink_);
    sink_ = nullptr;
    procedure_ = nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
}

void Win32LowLevelRecorder::hookThread(bool* installed, HANDLE ready) {
    threadId_ = GetCurrentThreadId();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the WM_QUIT of stop()
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, instance, 0);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, instance, 0);
    *installed = mouse && keyboard;
    SetEvent(ready);
    if (*installed)
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (mouse) UnhookWindowsHookEx(mouse);
    if (keyboard) UnhookWindowsHookEx(keyboard);
}

LRESULT CALLBACK Win32LowLevelRecorder::mouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (info->dwExtraInfo == kProbeTag) {
            active->probeSeen_ = true;
            return 1;  // nobody else needs to see it
        }
        JournalEvent event;
        event.message = static_cast<uint32_t>(wParam);
        event.paramL = info->pt.x;
        event.paramH = info->pt.y;
        event.time = info->time;
        event.hwnd = handleBits(windowAt(info->pt));
        active->post(event);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Win32LowLevelRecorder::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool extended = (info->flags & LLKHF_EXTENDED) != 0;
        JournalEvent event;
        event.message = static_cast<uint32_t>(wParam);
        // As a journal record hook has them: virtual key, scan code, extended bit of the key data.
        event.paramL = static_cast<int32_t>((messageKey(info->vkCode) & 0xFF) | (info->scanCode & 0xFF) << 8 |
                                            (extended ? 0x10000u : 0u));
        event.paramH = 1 | (extended ? 0x8000 : 0);
        event.time = info->time;
        event.hwnd = handleBits(focusWindow());
        active->post(event);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Win32LowLevelRecorder::post(const JournalEvent& event) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(event);
    }
    PostMessageW(sink_, kDeliverEvent, 0, 0);
}

void Win32LowLevelRecorder::deliverOne() {
    JournalEvent event;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.empty()) return;
        event = queue_.front();
        queue_.pop_front();
    }
    if (procedure_) procedure_->call(HC_ACTION, 0, &event);
}

LRESULT CALLBACK Win32LowLevelRecorder::sinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDeliverEvent) {
        auto* self = reinterpret_cast<Win32LowLevelRecorder*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) self->deliverOne();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tapmill::win32
