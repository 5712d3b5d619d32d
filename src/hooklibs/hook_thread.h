#pragma once
#include <windows.h>

namespace tapmill::hooklibs {

// One low-level hook on a thread of its own. The thread installs the hook and runs a message
// loop, which is all a low-level hook needs to be called; so a busy user-interface thread never
// delays the desktop's input, and the system never drops the hook for answering too slowly.
// start and stop may be called from any thread, twice, and in any order.
class HookThread {
public:
    // `prepare` runs on the hook thread before the hook is installed, to reset what the procedure
    // remembers between events.
    HookThread(int hookType, HOOKPROC procedure, void (*prepare)());
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    // Returns once the hook is in place. Does nothing while it is.
    void start();
    // Returns once the hook is removed and its thread has ended. Does nothing while stopped.
    void stop();

private:
    static DWORD WINAPI run(void* self);
    void stopLocked();

    const int hookType_;
    const HOOKPROC procedure_;
    void (*const prepare_)();
    SRWLOCK lock_ = SRWLOCK_INIT;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;
};

}  // namespace tapmill::hooklibs
