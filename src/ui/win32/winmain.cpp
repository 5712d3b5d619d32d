// The Windows entry point: the real platform services and controls around the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_hooklibs.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_instance_handover.h"
#include "platform/win32/win32_journal_hooks.h"
#include "platform/win32/win32_pump.h"
#include "platform/win32/win32_recycle_bin.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_top_windows.h"
#include "platform/win32/win32_tray.h"
#include "platform/win32/wide.h"
#include "ui/win32/win32_factory.h"
#include "ui/win32/win32_window.h"

namespace {

// The arguments after the program's name, UTF-8, split as the C runtime splits them (quotes
// group blanks), so Chinese names arrive whole on any system code page.
std::vector<std::string> commandLineArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(tapmill::win32::narrow(argv[i]));
    LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                             ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    // The shell link object of the desktop shortcut is a COM object of this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    tapmill::win32::Win32Window::registerClasses(instance);

    tapmill::win32::Win32Pump pump;
    tapmill::win32::Win32Input input;
    tapmill::win32::Win32Dialogs dialogs;
    tapmill::win32::Win32HotKeys hotkeys;
    tapmill::win32::Win32Desktop desktop;
    tapmill::win32::Win32HookLibraries hooks;
    tapmill::win32::Win32Shell shell;
    tapmill::win32::Win32LocalClock clock;
    tapmill::win32::Win32Tray tray;
    tapmill::win32::Win32JournalHooks journalHooks;
    tapmill::win32::Win32RecycleBin recycleBin;
    tapmill::win32::Win32InstanceHandOver handOver;
    tapmill::win32::Win32TopWindows topWindows;
    tapmill::win32::Win32Screen screen;
    tapmill::platform::Platform platform{pump, input, dialogs, hotkeys, desktop,
                                         hooks, shell, journalHooks, clock, tray, recycleBin, handOver, topWindows, screen};
    tapmill::win32::Win32Factory factory;
    return tapmill::runProgram(platform, factory, commandLineArguments());
}
