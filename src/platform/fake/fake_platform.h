#pragma once
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_hooklibs.h"
#include "platform/fake/fake_hotkeys.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_instance_handover.h"
#include "platform/fake/fake_journal_hooks.h"
#include "platform/fake/fake_pump.h"
#include "platform/fake/fake_recycle_bin.h"
#include "platform/fake/fake_screen.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_top_windows.h"
#include "platform/fake/fake_tray.h"
#include "platform/platform.h"

namespace tapmill::fake {

// Every fake service in one place, and the Platform bundle that hands them to the logic.
struct FakePlatform {
    FakePump pump;
    FakeLocalClock clock{pump};
    FakeInput input{pump};
    FakeDialogs dialogs;
    FakeHotKeys hotkeys;
    FakeDesktop desktop;
    FakeHookLibraries hooks;
    FakeShell shell;
    FakeTray tray;
    FakeJournalHooks journalHooks{pump};
    FakeRecycleBin recycleBin;
    FakeInstanceHandOver handOver{pump};
    FakeTopWindows topWindows;
    FakeScreen screen;
    platform::Platform platform{pump, input, dialogs, hotkeys, desktop,
                                hooks, shell, journalHooks, clock, tray, recycleBin, handOver, topWindows, screen};
};

}  // namespace tapmill::fake
