#pragma once
#include <windows.h>

namespace tapmill::win32 {

// A message-only window of a class registered on first use, with `owner` in its user data, for
// the services that take messages on the user-interface thread. Null when it cannot be made.
HWND createMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner);

}  // namespace tapmill::win32
