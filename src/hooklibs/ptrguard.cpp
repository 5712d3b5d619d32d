// PTRGUARD.DLL: a low-level mouse hook on a thread of its own that posts one message per button
// transition and per turn of the wheel. Input injected by other programs (and by a playback running meanwhile) is reported
// like the user's own: the program records every button transition on the desktop. A button
// transition carries the modifiers held at it as lParam (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN),
// so a Shift+click or a Ctrl+click replays as one, and the point it happened at in wParam (flagged
// in lParam, capture/hook_messages.h), so the program notes the window the press went to, not the
// one the pointer has reached when the message is handled.
#include "hooklibs/ptrguard.h"

#include <atomic>

#include "capture/hook_messages.h"

#include "hooklibs/double_click.h"
#include "hooklibs/held_modifiers.h"
#include "hooklibs/hook_thread.h"

namespace {

using tapmill::hooklibs::DoubleClickDetector;

enum : UINT {
    kLeftDown = 0,
    kLeftUp = 1,
    kRightDown = 2,
    kRightUp = 3,
    kLeftDoubleClick = 4,
    kMiddleDown = 5,
    kMiddleUp = 6,
    kWheel = 7,
};

std::atomic<HWND> target{nullptr};
std::atomic<UINT> messageBase{0};
// Touched only on the hook thread.
DoubleClickDetector doubleClicks;

void post(UINT offset, WPARAM wParam = 0) {
    PostMessageW(target.load(), messageBase.load() + offset, wParam, tapmill::hooklibs::heldModifiers());
}

void postButton(UINT offset, const MSLLHOOKSTRUCT& event) {
    PostMessageW(target.load(), messageBase.load() + offset, tapmill::pointInWParam(event.pt.x, event.pt.y),
                 tapmill::hooklibs::heldModifiers() | tapmill::kPointInWParamFlag);
}

void onLeftDown(const MSLLHOOKSTRUCT& event) {
    const DoubleClickDetector::Limits limits{GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK),
                                             GetSystemMetrics(SM_CYDOUBLECLK)};
    postButton(doubleClicks.leftPress(event.time, event.pt.x, event.pt.y, limits) ? kLeftDoubleClick : kLeftDown, event);
}

void report(WPARAM message, const MSLLHOOKSTRUCT& event) {
    switch (message) {
        case WM_LBUTTONDOWN: onLeftDown(event); break;
        case WM_LBUTTONUP: postButton(kLeftUp, event); break;
        case WM_RBUTTONDOWN:
            doubleClicks.otherButtonPress();
            postButton(kRightDown, event);
            break;
        case WM_RBUTTONUP: postButton(kRightUp, event); break;
        case WM_MBUTTONDOWN:
            doubleClicks.otherButtonPress();
            postButton(kMiddleDown, event);
            break;
        case WM_MBUTTONUP: postButton(kMiddleUp, event); break;
        // The turn is the high word of mouseData, signed; it goes on sign-extended.
        case WM_MOUSEWHEEL:
            post(kWheel, static_cast<WPARAM>(static_cast<INT_PTR>(static_cast<short>(HIWORD(event.mouseData)))));
            break;
        default: break;
    }
}

// Only posts: the user's input waits for this procedure to return.
LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) report(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void prepare() { doubleClicks.reset(); }

tapmill::hooklibs::HookThread hookThread(WH_MOUSE_LL, mouseProc, prepare);

}  // namespace

void __cdecl StartHook(HWND window, UINT base) {
    target.store(window);
    messageBase.store(base);
    hookThread.start();
}

void __cdecl StopHook() { hookThread.stop(); }
