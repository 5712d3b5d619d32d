#pragma once
#include <windows.h>

#include "platform/input.h"
#include "platform/win32/win32_top_windows.h"

namespace tapmill::win32 {

// SendInput, and why the system did not take the input. A window of a program with higher rights
// (user interface privilege isolation) drops what is sent to it without a trace in SendInput's
// answer or the last error, so the rights of the window that will receive the input are compared
// with ours before anything is sent (common/input_recipient.h). A locked or secure desktop shows as
// an input desktop we cannot open.
class Win32Injector {
public:
    platform::InputRefusal send(INPUT& input);

private:
    platform::InputRefusal refusalBefore(const INPUT& input);

    Win32TopWindows windows_;
};

}  // namespace tapmill::win32
