#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace tapmill::win32 {

LocalTime Win32LocalClock::now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace tapmill::win32
