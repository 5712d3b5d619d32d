#pragma once
#include <windows.h>

#include "platform/journal_hooks.h"

namespace tapmill::win32 {

// The clock of a playback the program drives itself. A timer of the system's timer queue posts a
// message to a message-only window of the installing thread when the tick falls due, so the tick
// comes from whichever message loop runs then (a Delay, the outermost loop, a message box's),
// to the millisecond where WM_TIMER would round up to 10 ms and more. A message of a tick that
// was replaced or cancelled meanwhile is known by its number and dropped.
class Win32PlaybackClock {
public:
    Win32PlaybackClock() = default;
    ~Win32PlaybackClock();
    Win32PlaybackClock(const Win32PlaybackClock&) = delete;
    Win32PlaybackClock& operator=(const Win32PlaybackClock&) = delete;

    void tickAfter(uint32_t ms, platform::PlaybackTicks& ticks);
    void cancel();

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static VOID CALLBACK timerFired(PVOID tick, BOOLEAN);
    bool createWindow();
    void deleteTimer();
    void fire(WPARAM tick);

    HWND window_ = nullptr;
    HANDLE timer_ = nullptr;
    platform::PlaybackTicks* ticks_ = nullptr;
    WPARAM tick_ = 0;  // the number of the tick pending
};

}  // namespace tapmill::win32
