#!/usr/bin/env bash
# Starts the program under Wine. With no X display, it runs on a virtual one and saves a
# screenshot of the window instead, since nobody could see it.
# Usage: tools/run.sh DIST WINEPREFIX SCREENSHOT_DIR (each may be relative to the caller's folder)
set -euo pipefail
# Every path is resolved before the cd below; Wine also takes only an absolute prefix.
here=$(cd "$(dirname "$0")" && pwd)
dist=$(cd "$1" && pwd)
prefix=$(mkdir -p "$2" && cd "$2" && pwd)
shots=$(mkdir -p "$3" && cd "$3" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd "$dist"
if [ -n "${DISPLAY:-}" ]; then
  exec wine tapmill.exe
fi
"$here/with-display.sh" bash -c '
  wine tapmill.exe & pid=$!
  shown=0
  for _ in $(seq 1 60); do
    xdotool search --onlyvisible --name "^Tapmill V3.3$" >/dev/null 2>&1 && { shown=1; break; }
    kill -0 $pid 2>/dev/null || break
    sleep 0.5
  done
  if [ $shown = 1 ]; then
    sleep 1
    import -window root "$0/run.png"
    echo "No display: the window ran on a virtual one; its screenshot is $0/run.png"
  else
    echo "tapmill.exe showed no window within 30 s" >&2
  fi
  wineserver -k 2>/dev/null || true
  wait $pid 2>/dev/null || true
  [ $shown = 1 ]
' "$shots"
