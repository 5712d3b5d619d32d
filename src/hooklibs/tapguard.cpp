// TAPGUARD.DLL: a low-level keyboard hook on a thread of its own that posts one message per key
// press to the main window. Every press is reported, injected ones (an on-screen keyboard, another
// program's macro) and hot keys alike: a field that captures keys must get F9 and F10 too, and a
// recording must keep a key another program holds as a hot key. The message's lParam carries the
// modifiers held at the press (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN), so the main window can
// tell its own hot keys, which it leaves out of recordings. A repeat of a held key and a release
// go by a message of their own (capture/hook_messages.h), so a recording can keep a key held. Just
// before each press the window that has the keyboard goes by one more, taken here: by the time the
// program handles the press, a key that closed a dialog has closed it.
#include "hooklibs/tapguard.h"

#include <string>

#include "capture/hook_messages.h"
#include "hooklibs/held_modifiers.h"
#include "hooklibs/hook_thread.h"
#include "hooklibs/key_press_filter.h"

namespace {

using tapmill::hooklibs::heldModifiers;
using tapmill::hooklibs::KeyPressFilter;

const char kMainWindowClass[] = "TForm_maintapmill";

// Touched only on the hook thread.
UINT keyMessages[255];  // index 1..254
UINT transitionMessage = 0;
UINT keyboardWindowMessage = 0;
KeyPressFilter presses;
HWND mainWindow = nullptr;

bool isDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// The window is looked up again once the one found before is gone (the program was restarted).
HWND findMainWindow() {
    if (!mainWindow || !IsWindow(mainWindow)) mainWindow = FindWindowA(kMainWindowClass, nullptr);
    return mainWindow;
}

void post(UINT message, int number, LPARAM flags) {
    if (!number) return;
    if (HWND window = findMainWindow()) PostMessageW(window, message, static_cast<WPARAM>(number), heldModifiers() | flags);
}

void report(WPARAM message, const KBDLLHOOKSTRUCT& event) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        const KeyPressFilter::Down down = presses.keyDown(event.vkCode, isDown(static_cast<int>(event.vkCode)));
        if (down.press) {
            if (HWND window = findMainWindow())
                PostMessageW(window, keyboardWindowMessage, reinterpret_cast<WPARAM>(GetForegroundWindow()), 0);
            post(keyMessages[down.press], down.press, 0);
        }
        post(transitionMessage, down.repeat, tapmill::kKeyRepeatedFlag);
    } else if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        post(transitionMessage, presses.keyUp(event.vkCode), tapmill::kKeyReleasedFlag);
    }
}

// Only looks and posts: the user's input waits for this procedure to return.
LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) report(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void prepare() {
    for (int n = 1; n <= 254; ++n) keyMessages[n] = RegisterWindowMessageA(std::to_string(n).c_str());
    transitionMessage = RegisterWindowMessageA(tapmill::kKeyTransitionMessageName);
    keyboardWindowMessage = RegisterWindowMessageA(tapmill::kKeyboardWindowMessageName);
    presses.reset();
    mainWindow = nullptr;
}

tapmill::hooklibs::HookThread hookThread(WH_KEYBOARD_LL, keyboardProc, prepare);

}  // namespace

void __cdecl EnableHotKeyHook() { hookThread.start(); }

void __cdecl DisableHotKeyHook() { hookThread.stop(); }
