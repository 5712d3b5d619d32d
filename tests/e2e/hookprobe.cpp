// hookprobe: a stand-in for the main window, so the end-to-end tests can drive PTRGUARD.DLL and
// TAPGUARD.DLL directly and see every message they post. Its window has the main window's class
// "TForm_maintapmill", which is how the key library finds its receiver.
//
// It reads one command per line on stdin; each is carried out on the window's thread and answered
// with "ok <command>" on stdout:
//   start <base>   StartHook(window, base)        stop      StopHook()
//   enable         EnableHotKeyHook()             disable   DisableHotKeyHook()
//   stall <ms>     blocks the window's thread: prints "stalling" first, "ok stall" after
//   hotkey <modifiers> <key>   registers that hot key for the window (as the program does its own)
//   inject-left    one left click through SendInput (input another program injects)
//   quit
// Every message of the libraries is printed as it arrives: "MOUSE <offset from base>" (for the
// wheel, offset 7, "MOUSE 7 <turn>") or "KEY <key number> <modifiers held>"; a hot key as
// "HOTKEY <key>". Output lines are flushed at once.

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>

#include "hooklibs/ptrguard.h"
#include "hooklibs/tapguard.h"

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;

HWND probeWindow = nullptr;
UINT mouseBase = 0;
UINT keyMessages[255];  // index 1..254
std::mutex outputLock;

void say(const std::string& line) {
    std::lock_guard<std::mutex> hold(outputLock);
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void injectLeftClick() {
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void runCommand(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "start") {
        words >> mouseBase;
        StartHook(probeWindow, mouseBase);
    } else if (command == "stop") {
        StopHook();
    } else if (command == "enable") {
        EnableHotKeyHook();
    } else if (command == "disable") {
        DisableHotKeyHook();
    } else if (command == "stall") {
        DWORD ms = 0;
        words >> ms;
        say("stalling");
        Sleep(ms);
    } else if (command == "hotkey") {
        UINT modifiers = 0, key = 0;
        words >> modifiers >> key;
        RegisterHotKey(probeWindow, static_cast<int>(key), modifiers, key);
    } else if (command == "inject-left") {
        injectLeftClick();
    } else if (command == "quit") {
        DestroyWindow(probeWindow);
    } else {
        say("err " + line);
        return;
    }
    say("ok " + command);
}

void reportLibraryMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    constexpr UINT kWheelOffset = 7;
    if (mouseBase && message >= mouseBase && message <= mouseBase + kWheelOffset) {
        const UINT offset = message - mouseBase;
        say("MOUSE " + std::to_string(offset) +
            (offset == kWheelOffset ? " " + std::to_string(static_cast<INT_PTR>(wparam)) : std::string()));
        return;
    }
    for (int n = 1; n <= 254; ++n)
        if (keyMessages[n] == message)
            say("KEY " + std::to_string(n) + " " + std::to_string(lparam));
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case kCommandMessage: {
        auto* line = reinterpret_cast<std::string*>(lparam);
        runCommand(*line);
        delete line;
        return 0;
    }
    case WM_HOTKEY:
        say("HOTKEY " + std::to_string(wparam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        reportLibraryMessage(message, wparam, lparam);
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

// Commands are read on a thread of their own and handed to the window's thread one by one.
DWORD WINAPI readCommands(void*) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        PostMessageW(probeWindow, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostMessageW(probeWindow, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
    return 0;
}

}  // namespace

int main() {
    for (int n = 1; n <= 254; ++n)
        keyMessages[n] = RegisterWindowMessageA(std::to_string(n).c_str());

    WNDCLASSW cls = {};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"TForm_maintapmill";
    RegisterClassW(&cls);
    // A message-only window would not be found by the key library's FindWindow.
    probeWindow = CreateWindowExW(0, cls.lpszClassName, L"hookprobe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  cls.hInstance, nullptr);
    if (!probeWindow)
        return 1;
    CloseHandle(CreateThread(nullptr, 0, readCommands, nullptr, 0, nullptr));
    say("READY");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    // Leaves the libraries as a closing program would.
    StopHook();
    DisableHotKeyHook();
    return 0;
}
