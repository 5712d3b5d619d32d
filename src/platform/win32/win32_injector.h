#pragma once
#include <windows.h>

#include <optional>

#include "platform/input.h"

namespace tapmill::win32 {

// SendInput, and why the system did not take the input. A window of a program with higher rights
// in front (user interface privilege isolation) drops what is sent to it without a trace in
// SendInput's answer or the last error, so its process's integrity level is compared with ours
// before anything is sent. A locked or secure desktop shows as an input desktop we cannot open.
class Win32Injector {
public:
    platform::InputRefusal send(INPUT& input);

private:
    platform::InputRefusal refusalBefore();
    bool foregroundHasHigherRights(HWND foreground);

    std::optional<DWORD> ownLevel_;
    // The last foreground window looked at, and what it gave: a playback asks at every event.
    HWND foreground_ = nullptr;
    DWORD foregroundProcess_ = 0;
    bool foregroundHigher_ = false;
};

}  // namespace tapmill::win32
