#include "platform/win32/win32_playback_clock.h"

#include "platform/win32/message_window.h"

namespace tapmill::win32 {

namespace {

const wchar_t* const kClockClass = L"TapmillPlaybackClock";
constexpr UINT kTickMessage = WM_APP + 0x52;

// Where the timer callbacks post; set once, before the first timer is created.
HWND clockWindow = nullptr;

}  // namespace

Win32PlaybackClock::~Win32PlaybackClock() {
    cancel();
    if (window_) DestroyWindow(window_);
    clockWindow = nullptr;
}

bool Win32PlaybackClock::createWindow() {
    if (window_) return true;
    window_ = createMessageWindow(kClockClass, windowProc, this);
    if (!window_) return false;
    clockWindow = window_;
    return true;
}

void Win32PlaybackClock::tickAfter(uint32_t ms, platform::PlaybackTicks& ticks) {
    cancel();
    if (!createWindow()) return;
    ticks_ = &ticks;
    // Posted at once, or by a one-shot timer whose callback only posts.
    if (ms == 0 || !CreateTimerQueueTimer(&timer_, nullptr, timerFired, reinterpret_cast<PVOID>(tick_), ms, 0,
                                          WT_EXECUTEINTIMERTHREAD | WT_EXECUTEONLYONCE)) {
        timer_ = nullptr;
        PostMessageW(window_, kTickMessage, tick_, 0);
    }
}

void Win32PlaybackClock::cancel() {
    deleteTimer();
    ++tick_;
    ticks_ = nullptr;
}

void Win32PlaybackClock::deleteTimer() {
    // Does not wait for a callback under way: what it posts carries an old number.
    if (timer_) DeleteTimerQueueTimer(nullptr, timer_, nullptr);
    timer_ = nullptr;
}

VOID CALLBACK Win32PlaybackClock::timerFired(PVOID tick, BOOLEAN) {
    PostMessageW(clockWindow, kTickMessage, reinterpret_cast<WPARAM>(tick), 0);
}

void Win32PlaybackClock::fire(WPARAM tick) {
    if (tick != tick_ || !ticks_) return;
    platform::PlaybackTicks* ticks = ticks_;
    cancel();  // the tick is spent; onTick may ask for the next
    ticks->onTick();
}

LRESULT CALLBACK Win32PlaybackClock::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kTickMessage) {
        auto* self = reinterpret_cast<Win32PlaybackClock*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) self->fire(wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tapmill::win32
