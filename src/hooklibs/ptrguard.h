#pragma once
#include <windows.h>

// PTRGUARD.DLL: reports mouse button transitions anywhere on the desktop as window messages.
// Plain C calling convention, exported undecorated through ptrguard.def.
#ifdef TAPMILL_BUILDING_PTRGUARD
#define PTRGUARD_API
#else
#define PTRGUARD_API __declspec(dllimport)
#endif

extern "C" {
// From now on posts base + 0 left down, + 1 left up, + 2 right down, + 3 right up, + 4 left
// double click (instead of + 0 for the second press), + 5 middle down, + 6 middle up, + 7 a turn
// of the wheel (wParam: the signed turn, WHEEL_DELTA a notch) to `window`, each with the modifiers
// held (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN) as lParam. A button's wParam is the screen point
// of the transition (x low word, y high word, signed), said by 0x10000 in lParam. A second call
// changes the window and the base.
PTRGUARD_API void __cdecl StartHook(HWND window, UINT base);
PTRGUARD_API void __cdecl StopHook();
}
