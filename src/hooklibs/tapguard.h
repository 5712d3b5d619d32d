#pragma once
#include <windows.h>

// TAPGUARD.DLL: reports key presses anywhere on the desktop as window messages.
// Plain C calling convention, exported undecorated through tapguard.def.
#ifdef TAPMILL_BUILDING_TAPGUARD
#define TAPGUARD_API
#else
#define TAPGUARD_API __declspec(dllimport)
#endif

extern "C" {
// From now on posts, for each press of a key numbered 1 to 254, the message registered under the
// key number's decimal digits to the window of class "TForm_maintapmill", with the key number as
// wParam and the modifiers held (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN) as lParam; and for
// each repeat of a held key and each release, the message registered as "TapmillKeyTransition",
// the same wParam and lParam, and in lParam also 0x20000 for a repeat or 0x10000 for a release.
// Not counted: one disable ends what any number of enables began.
TAPGUARD_API void __cdecl EnableHotKeyHook();
TAPGUARD_API void __cdecl DisableHotKeyHook();
}
