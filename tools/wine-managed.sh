#!/usr/bin/env bash
# Lets Wine leave its windows to the window manager of the display, or manage them itself where
# there is none (a virtual display): without one, every hide and close of a window managed by
# nobody waits two seconds for an answer that never comes.
# Usage: tools/wine-managed.sh PREFIX   (on the display in $DISPLAY)
set -euo pipefail
export WINEPREFIX=${1:?prefix folder} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then managed=Y; else managed=N; fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
