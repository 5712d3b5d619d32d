// procstat <window class>: what the process owning the top-level window of that class holds, as
// one line "user=U gdi=G handles=H windows=W private=P": its USER and GDI objects
// (GetGuiResources), its kernel handles (GetProcessHandleCount), the windows it owns (top-level and
// child windows, counted by enumeration: USER objects that can be seen even where GetGuiResources
// answers nothing) and its private bytes. A figure the system cannot give is -1; so is a count of 0
// handles or bytes, which no running process has (Wine answers 0 for another process). Exit code 1
// when there is no such window.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct WindowCount {
    DWORD process;
    long count;
};

BOOL CALLBACK countChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM param) {
    auto* counted = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counted->process) return TRUE;
    ++counted->count;
    EnumChildWindows(window, countChild, param);
    return TRUE;
}

long guiResources(HANDLE process, DWORD kind) {
    SetLastError(0);
    DWORD value = GetGuiResources(process, kind);
    return value == 0 && GetLastError() != 0 ? -1 : static_cast<long>(value);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: procstat WINDOWCLASS\n", stderr);
        return 2;
    }
    HWND window = FindWindowW(argv[1], nullptr);
    if (!window) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return 1;

    DWORD handles = 0;
    long handleCount = GetProcessHandleCount(process, &handles) && handles > 0 ? static_cast<long>(handles) : -1;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    long long privateBytes = GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                                  sizeof memory) &&
                                     memory.PrivateUsage > 0
                                 ? static_cast<long long>(memory.PrivateUsage)
                                 : -1;
    WindowCount windows{pid, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));

    std::printf("user=%ld gdi=%ld handles=%ld windows=%ld private=%lld\n", guiResources(process, GR_USEROBJECTS),
                guiResources(process, GR_GDIOBJECTS), handleCount, windows.count, privateBytes);
    CloseHandle(process);
    return 0;
}
