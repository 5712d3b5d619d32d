// pointerclock <seconds>: for that long, keeps the mouse pointer at the position that spells the
// milliseconds since it started: x = ms % 1000, y = ms / 1000. A recorder that samples the pointer
// then writes, with each frame, the moment it sampled it, to 1 ms, without being changed for it.
// Prints "READY" once the pointer tells the time.

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: pointerclock SECONDS\n", stderr);
        return 2;
    }
    const LONGLONG durationMs = std::atoll(argv[1]) * 1000;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    timeBeginPeriod(1);
    bool announced = false;
    LONGLONG shown = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        const LONGLONG ms = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
        if (ms >= durationMs)
            break;
        if (ms != shown) {
            SetCursorPos(static_cast<int>(ms % 1000), static_cast<int>(ms / 1000));
            shown = ms;
        }
        if (!announced) {
            std::puts("READY");
            std::fflush(stdout);
            announced = true;
        }
        Sleep(1);
    }
    timeEndPeriod(1);
    return 0;
}
