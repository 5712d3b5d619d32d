#pragma once
#include <windows.h>

#include <thread>

namespace tapmill::win32 {

// Ctrl+Esc ends a playback the program drives itself, as the system ends its own playback hook.
// A low-level keyboard hook on a thread of its own (so that a busy window never holds up the
// desktop's keys) watches for an Esc the user presses, not one a playback injects, while Ctrl is
// down; it takes that Esc out of the input (so no Start menu opens over the playback) and posts
// WM_CANCELJOURNAL to the thread that started the watch, where the window's message loop passes
// it to the windows as the system's own would be. A hot key registered for Ctrl+Esc would fire on
// the injected keys of a journal too, and the system keeps Ctrl+Esc for itself on Windows.
class Win32CancelKeyWatch {
public:
    Win32CancelKeyWatch() = default;
    ~Win32CancelKeyWatch();
    Win32CancelKeyWatch(const Win32CancelKeyWatch&) = delete;
    Win32CancelKeyWatch& operator=(const Win32CancelKeyWatch&) = delete;

    // Safe to call twice and in any order.
    void start();
    void stop();

private:
    static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void hookThread(HANDLE ready);

    std::thread thread_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

}  // namespace tapmill::win32
