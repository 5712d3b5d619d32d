// pointerclock <seconds> [moves-per-second]: for that long, keeps the mouse pointer at the position
// that spells the milliseconds since it started: x = ms % 1000, y = ms / 1000. A recorder that
// samples the pointer then writes, with each frame, the moment it sampled it, without being changed
// for it. By default it moves the pointer every millisecond, to 1 ms; a lower rate moves it as a
// real mouse reports (125 a second is common), and the position then tells the time of the last move.
// Prints "READY" once the pointer tells the time.

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: pointerclock SECONDS [MOVES-PER-SECOND]\n", stderr);
        return 2;
    }
    const LONGLONG durationMs = std::atoll(argv[1]) * 1000;
    const LONGLONG movesPerSecond = argc > 2 ? std::atoll(argv[2]) : 1000;
    if (movesPerSecond < 1 || movesPerSecond > 1000) {
        std::fputs("pointerclock: moves per second must be 1 to 1000\n", stderr);
        return 2;
    }
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    timeBeginPeriod(1);
    bool announced = false;
    LONGLONG moves = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        const LONGLONG ms = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
        if (ms >= durationMs)
            break;
        // The moves are spread evenly over each second, whole milliseconds apart on average.
        const LONGLONG due = ms * movesPerSecond / 1000;
        if (due != moves) {
            SetCursorPos(static_cast<int>(ms % 1000), static_cast<int>(ms / 1000));
            moves = due;
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
