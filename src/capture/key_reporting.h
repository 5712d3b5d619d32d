#pragma once
#include "platform/hooklibs.h"

namespace tapmill {

// The keyboard library's reporting of key presses, which the recorder and each capture field need
// while they work. The library's own switch is not counted: the first disable ends the reporting
// for every user. So each user holds it here, and it goes off only when the last one lets go: a
// field entered and left during a recording leaves the recorder's keys coming.
class KeyReporting {
public:
    explicit KeyReporting(platform::HookLibraries& hooks) : hooks_(hooks) {}

    void hold() {
        if (holders_++ == 0) hooks_.enableHotKeyHook();
    }
    void release() {
        if (holders_ > 0 && --holders_ == 0) hooks_.disableHotKeyHook();
    }

    // Holds the reporting for a scope.
    class Hold {
    public:
        explicit Hold(KeyReporting& reporting) : reporting_(reporting) { reporting_.hold(); }
        ~Hold() { reporting_.release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        KeyReporting& reporting_;
    };

private:
    platform::HookLibraries& hooks_;
    int holders_ = 0;
};

}  // namespace tapmill
