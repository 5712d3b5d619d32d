#include "platform/win32/win32_journal_hooks.h"

#include "platform/extended_keys.h"

namespace tapmill::win32 {

namespace {

// The procedures of the installed system hooks: a hook procedure has no other way to find them.
platform::JournalProcedure* recordProcedure = nullptr;
platform::JournalProcedure* playbackProcedure = nullptr;
// The lParam of the hook call in progress, for CallNextHookEx of a code that carries no event.
LPARAM rawLParam = 0;

JournalEvent fromEventMsg(const EVENTMSG& msg) {
    JournalEvent event;
    event.message = msg.message;
    event.paramL = static_cast<int32_t>(msg.paramL);
    event.paramH = static_cast<int32_t>(msg.paramH);
    event.time = msg.time;
    event.hwnd = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(msg.hwnd));
    return event;
}

EVENTMSG toEventMsg(const JournalEvent& event) {
    EVENTMSG msg{};
    msg.message = event.message;
    msg.paramL = static_cast<UINT>(event.paramL);
    msg.paramH = static_cast<UINT>(event.paramH);
    msg.time = event.time;
    msg.hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(event.hwnd));
    return msg;
}

// One trampoline per kind. Only HC_ACTION of a record hook and HC_GETNEXT of a playback hook
// carry an EVENTMSG; the procedure works on a copy that goes back into the system's.
LRESULT dispatch(platform::JournalProcedure* procedure, int eventCode, int code, WPARAM wParam, LPARAM lParam) {
    if (!procedure) return CallNextHookEx(nullptr, code, wParam, lParam);
    auto* msg = code == eventCode ? reinterpret_cast<EVENTMSG*>(lParam) : nullptr;
    JournalEvent event = msg ? fromEventMsg(*msg) : JournalEvent{};
    const LPARAM outer = rawLParam;
    rawLParam = lParam;
    LRESULT result = 0;
    try {
        result = procedure->call(code, wParam, msg ? &event : nullptr);
    } catch (...) {
        // Nothing may unwind through the system's code.
    }
    rawLParam = outer;
    if (msg) *msg = toEventMsg(event);
    return result;
}

LRESULT CALLBACK recordTrampoline(int code, WPARAM wParam, LPARAM lParam) {
    return dispatch(recordProcedure, HC_ACTION, code, wParam, lParam);
}

LRESULT CALLBACK playbackTrampoline(int code, WPARAM wParam, LPARAM lParam) {
    return dispatch(playbackProcedure, HC_GETNEXT, code, wParam, lParam);
}

DWORD buttonFlags(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return MOUSEEVENTF_LEFTDOWN;
        case WM_LBUTTONUP: return MOUSEEVENTF_LEFTUP;
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: return MOUSEEVENTF_RIGHTDOWN;
        case WM_RBUTTONUP: return MOUSEEVENTF_RIGHTUP;
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: return MOUSEEVENTF_MIDDLEDOWN;
        case WM_MBUTTONUP: return MOUSEEVENTF_MIDDLEUP;
        default: return 0;  // a move, or what a journal cannot carry (the wheel's turn)
    }
}

// The absolute coordinate SendInput takes (0 to 65535 over the virtual screen) that lands on
// exactly this pixel: rounding up, since the system rounds down going back.
LONG normalized(LONG pixel, int origin, int extent) {
    if (extent <= 0) return 0;
    const long long offset = static_cast<long long>(pixel) - origin;
    return static_cast<LONG>((offset * 65536 + extent - 1) / extent);
}

}  // namespace

Win32JournalHooks::~Win32JournalHooks() {
    if (recordHook_) removeHook(reinterpret_cast<uintptr_t>(recordHook_));
    if (playbackHook_) removeHook(reinterpret_cast<uintptr_t>(playbackHook_));
}

uintptr_t Win32JournalHooks::installSystemHook(platform::JournalHookKind kind, platform::JournalProcedure& procedure) {
    const bool record = kind == platform::JournalHookKind::Record;
    HHOOK& held = record ? recordHook_ : playbackHook_;
    if (held) return 0;
    held = SetWindowsHookExA(record ? WH_JOURNALRECORD : WH_JOURNALPLAYBACK,
                             record ? recordTrampoline : playbackTrampoline, GetModuleHandleA(nullptr), 0);
    if (held) (record ? recordProcedure : playbackProcedure) = &procedure;
    return reinterpret_cast<uintptr_t>(held);
}

uintptr_t Win32JournalHooks::installLowLevelRecorder(platform::JournalProcedure& procedure) {
    return lowLevel_.start(procedure) ? lowLevelHandle() : 0;
}

void Win32JournalHooks::removeHook(uintptr_t handle) {
    if (!handle) return;
    if (handle == lowLevelHandle()) {
        lowLevel_.stop();
        return;
    }
    HHOOK hook = reinterpret_cast<HHOOK>(handle);
    // The system may have removed it already (Ctrl+Esc); the call then just fails.
    UnhookWindowsHookEx(hook);
    if (hook == recordHook_) {
        recordHook_ = nullptr;
        recordProcedure = nullptr;
    }
    if (hook == playbackHook_) {
        playbackHook_ = nullptr;
        playbackProcedure = nullptr;
    }
}

intptr_t Win32JournalHooks::callNextHook(uintptr_t handle, int code, uintptr_t wParam, JournalEvent* event) {
    if (handle == lowLevelHandle()) return 0;
    if (!event) return CallNextHookEx(reinterpret_cast<HHOOK>(handle), code, wParam, rawLParam);
    EVENTMSG msg = toEventMsg(*event);
    LRESULT result = CallNextHookEx(reinterpret_cast<HHOOK>(handle), code, wParam, reinterpret_cast<LPARAM>(&msg));
    *event = fromEventMsg(msg);
    return result;
}

platform::InputRefusal Win32JournalHooks::sendEvent(const JournalEvent& event) {
    INPUT input{};
    const UINT message = event.message;
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        input.type = INPUT_KEYBOARD;
        const WORD vk = static_cast<WORD>(event.paramL & 0xFF);
        const WORD recordedScan = static_cast<WORD>((event.paramL >> 8) & 0xFF);
        // A journal written without scan codes gets the layout's, as a keyboard would send them.
        const bool extended = recordedScan ? (event.paramH & 0x8000) != 0 : platform::isExtendedKey(vk);
        input.ki.wVk = vk;
        input.ki.wScan = recordedScan ? recordedScan : static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF);
        input.ki.dwFlags = (message == WM_KEYUP || message == WM_SYSKEYUP ? KEYEVENTF_KEYUP : 0) |
                           (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    } else {
        // Non-client mouse messages are their client twins here.
        const UINT mouse = message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK ? message + WM_MOUSEMOVE - WM_NCMOUSEMOVE
                                                                                    : message;
        if (mouse < WM_MOUSEFIRST || mouse > WM_MOUSELAST) return platform::InputRefusal::None;
        input.type = INPUT_MOUSE;
        input.mi.dx = normalized(event.paramL, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
        input.mi.dy = normalized(event.paramH, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | buttonFlags(mouse);
    }
    return injector_.send(input);
}

}  // namespace tapmill::win32
