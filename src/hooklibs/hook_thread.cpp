#include "hooklibs/hook_thread.h"

namespace tapmill::hooklibs {

namespace {

// The library that holds the hook procedure: a global hook names its module.
HMODULE moduleOf(HOOKPROC procedure) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(procedure), &module);
    return module;
}

// Holds an exclusive SRW lock for a scope.
class Exclusive {
public:
    explicit Exclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Exclusive() { ReleaseSRWLockExclusive(&lock_); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

HookThread::HookThread(int hookType, HOOKPROC procedure, void (*prepare)())
    : hookType_(hookType), procedure_(procedure), prepare_(prepare) {}

void HookThread::start() {
    Exclusive hold(lock_);
    if (thread_) return;
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready_) return;
    thread_ = CreateThread(nullptr, 0, run, this, 0, &threadId_);
    if (thread_) {
        WaitForSingleObject(ready_, INFINITE);
        // A hook the system refused leaves the thread ended; a later start tries again.
        if (WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0) stopLocked();
    }
    CloseHandle(ready_);
    ready_ = nullptr;
}

void HookThread::stop() {
    Exclusive hold(lock_);
    stopLocked();
}

void HookThread::stopLocked() {
    if (!thread_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
    threadId_ = 0;
}

DWORD WINAPI HookThread::run(void* param) {
    auto* self = static_cast<HookThread*>(param);
    MSG msg;
    // The queue must exist before start returns, or stop's WM_QUIT could be posted to nothing.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    self->prepare_();
    HHOOK hook = SetWindowsHookExW(self->hookType_, self->procedure_, moduleOf(self->procedure_), 0);
    SetEvent(self->ready_);
    if (!hook) return 1;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace tapmill::hooklibs
