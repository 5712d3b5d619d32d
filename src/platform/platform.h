#pragma once
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/hooklibs.h"
#include "platform/hotkeys.h"
#include "platform/instance_handover.h"
#include "platform/input.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"
#include "platform/recycle_bin.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/top_windows.h"
#include "platform/tray.h"

namespace tapmill::platform {

// The Windows services the logic uses, grouped by service. Owned by the program entry (real ones)
// or by a test (fakes); the logic only holds this bundle of references.
struct Platform {
    MessagePump& pump;
    Input& input;
    Dialogs& dialogs;
    HotKeys& hotkeys;
    Desktop& desktop;
    HookLibraries& hooks;
    Shell& shell;
    JournalHooks& journalHooks;
    LocalClock& clock;
    Tray& tray;
    RecycleBin& recycleBin;
    InstanceHandOver& handOver;
    TopWindows& topWindows;
    Screen& screen;
};

}  // namespace tapmill::platform
