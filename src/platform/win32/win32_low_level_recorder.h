#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/journal_hooks.h"

namespace tapmill::win32 {

// Low-level mouse and keyboard hooks that report the desktop's input as the EVENTMSG records of
// a journal record hook. The hooks live on a thread of their own whose callbacks only queue the
// record and post a message, so the desktop's input never waits for the recorder (Windows drops
// a low-level hook that answers too slowly). A message-only window of the installing thread
// takes the records from the queue, one per message, and hands them to the procedure there.
//
// Wine at times grants the hooks and then never calls them. So an install proves itself: it
// injects a mouse event that moves nothing, which its own hook takes out of the input, and an
// install whose hook does not see that event is made again.
class Win32LowLevelRecorder {
public:
    Win32LowLevelRecorder() = default;
    ~Win32LowLevelRecorder() { stop(); }
    Win32LowLevelRecorder(const Win32LowLevelRecorder&) = delete;
    Win32LowLevelRecorder& operator=(const Win32LowLevelRecorder&) = delete;

    // False when the system refuses the hooks. One start at a time.
    bool start(platform::JournalProcedure& procedure);
    void stop();
    bool running() const { return sink_ != nullptr; }

private:
    static LRESULT CALLBACK mouseHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK sinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool startHookThread();
    void stopHookThread();
    bool hooksAnswer();
    void hookThread(bool* installed, HANDLE ready);
    void post(const JournalEvent& event);
    void deliverOne();

    platform::JournalProcedure* procedure_ = nullptr;
    HWND sink_ = nullptr;
    std::thread thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> probeSeen_{false};
    std::mutex mutex_;
    std::deque<JournalEvent> queue_;
};

}  // namespace tapmill::win32
