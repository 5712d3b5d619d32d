#pragma once
#include <windows.h>

namespace tapmill::win32 {

// Milliseconds on the performance counter, with their fraction: the clock to time with, since
// GetTickCount moves in steps of up to 16 ms under Wine.
inline double qpcMilliseconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace tapmill::win32
