// Times the look at the desktop that following a window adds to a frame, with 50 top-level windows
// of another program open: the player's lookup of a noted window and the place of its client area,
// for a window open under its recorded title and for one that only shares the program's part of it
// (another document of the editor), and the recorder's look at the window under the pointer.
// Started without arguments, it starts itself with "host" to open the windows, so that every call
// crosses into another process as it does for the program.
// Prints "lookup_ms N", "similar_lookup_ms N" and "window_at_ms N", each the median of the frames.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/window_match.h"
#include "platform/win32/qpc_milliseconds.h"
#include "platform/win32/win32_top_windows.h"

namespace {

constexpr int kWindows = 50;
// Several windows of the class looked for, as with a few documents of one editor open; the one
// looked for stands behind the others.
constexpr int kOfWantedClass = 10;
constexpr int kFrames = 2000;
constexpr wchar_t kWantedClass[] = L"LookupBenchEditor";
constexpr wchar_t kOtherClass[] = L"LookupBenchOther";
constexpr char kWantedTitle[] = "doc0.txt - editor";
constexpr char kClosedTitle[] = "closed.txt - editor";
constexpr wchar_t kLastTitle[] = L"window 49";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int host(HINSTANCE instance) {
    for (const wchar_t* name : {kWantedClass, kOtherClass}) {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = instance;
        cls.lpszClassName = name;
        RegisterClassW(&cls);
    }
    for (int n = 0; n < kWindows; ++n) {
        const bool wanted = n < kOfWantedClass;
        const std::wstring title = wanted ? L"doc" + std::to_wstring(n) + L".txt - editor" : L"window " + std::to_wstring(n);
        HWND window = CreateWindowExW(0, wanted ? kWantedClass : kOtherClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                      20 + 12 * n, 20 + 8 * n, 300, 200, nullptr, nullptr, instance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

bool startHost(PROCESS_INFORMATION& process) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" host";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    for (int waited = 0; waited < 30000; waited += 50) {
        HWND last = FindWindowW(kOtherClass, kLastTitle);
        if (last && IsWindowVisible(last)) return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "host") return host(GetModuleHandleW(nullptr));

    PROCESS_INFORMATION hostProcess = {};
    if (!startHost(hostProcess)) {
        std::printf("the %d windows did not open\n", kWindows);
        return 1;
    }
    tapmill::win32::Win32TopWindows windows;
    const std::string wantedClass = "LookupBenchEditor";
    std::vector<double> lookups, similarLookups, looksUnderPointer;
    int misses = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        const double start = tapmill::win32::qpcMilliseconds();
        const auto chosen = tapmill::findNamedWindow(windows, wantedClass, kWantedTitle);
        const auto place = chosen ? windows.placeOf(chosen->handle) : std::nullopt;
        const double found = tapmill::win32::qpcMilliseconds();
        const auto under = windows.windowAt(100 + frame % 300, 100 + frame % 200);
        const double looked = tapmill::win32::qpcMilliseconds();
        const auto similar = tapmill::findNamedWindow(windows, wantedClass, kClosedTitle);
        const auto similarPlace = similar ? windows.placeOf(similar->handle) : std::nullopt;
        const double foundSimilar = tapmill::win32::qpcMilliseconds();
        if (!place || chosen->title != kWantedTitle || !under || !similarPlace) ++misses;
        lookups.push_back(found - start);
        looksUnderPointer.push_back(looked - found);
        similarLookups.push_back(foundSimilar - looked);
    }
    TerminateProcess(hostProcess.hProcess, 0);
    CloseHandle(hostProcess.hThread);
    CloseHandle(hostProcess.hProcess);
    if (misses) {
        std::printf("%d of %d frames did not find their window\n", misses, kFrames);
        return 1;
    }
    std::printf("windows %d\nlookup_ms %.4f\nsimilar_lookup_ms %.4f\nwindow_at_ms %.4f\n", kWindows, median(lookups),
                median(similarLookups), median(looksUnderPointer));
    return 0;
}
