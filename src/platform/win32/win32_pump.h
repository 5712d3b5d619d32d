#pragma once
#include <windows.h>

#include "platform/pump.h"

namespace tapmill::win32 {

// The thread's message queue on a millisecond clock derived from the performance counter (the
// tick count moves in steps of up to 16 ms, too coarse for 5 ms frames).
// A message the system posts to the thread rather than to a window (WM_CANCELJOURNAL when it
// takes a journal hook away) is sent on to the thread's top-level windows, whose forms take what
// is theirs; a thread message would otherwise be dispatched to no one. True when msg was one.
bool forwardThreadMessage(const MSG& msg);
// Sends the message to each top-level window of the calling thread.
void sendToThreadWindows(UINT message);

// The property of a top-level window that holds its shortcuts (an accelerator table).
inline const wchar_t* const kShortcutsProp = L"tapmill.shortcuts";
// Turns a key of the active window's shortcuts into its command; true when msg was one.
bool translateShortcut(HWND active, MSG& msg);

class Win32Pump : public platform::MessagePump {
public:
    Win32Pump();
    uint32_t tickMs() override;
    void processPendingMessages() override;
    void waitForMessages(uint32_t maxMs) override;
    int runMessageLoop() override;
    void beginFineTiming() override;
    void endFineTiming() override;

    // Set once WM_QUIT has been taken from the queue, wherever that happened; the outermost loop
    // then ends.
    bool quitRequested() const { return quit_; }
    int exitCode() const { return exitCode_; }
    // The window whose dialog keys (Tab between controls) are handled.
    void setDialogWindow(HWND hwnd) { dialogWindow_ = hwnd; }

private:
    LARGE_INTEGER frequency_{};
    bool quit_ = false;
    int exitCode_ = 0;
    int fineTiming_ = 0;
    HWND dialogWindow_ = nullptr;
};

}  // namespace tapmill::win32
