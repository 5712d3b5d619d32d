#!/usr/bin/env bash
# Starts the program under Wine. With no X display, it runs on a virtual one and saves a
# screenshot of the window instead, since nobody could see it.
# Usage: tools/run.sh DIST WINEPREFIX SCREENSHOT_DIR
set -euo pipefail
dist=$1 prefix=$2
shots=$(mkdir -p "$3" && cd "$3" && pwd)
# Resolved before the cd below, since $0 may be a path relative to the caller's folder.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cd "$dist"
if [ -n "${DISPLAY:-}" ]; then
  exec wine tapmill.exe
fi
"$here/with-display.sh" bash -c '
  wine tapmill.exe & pid=$!
  for _ in $(seq 1 60); do
    xdotool search --name "^Tapmill V3.3$" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 1
  import -window root "$0/run.png"
  echo "No display: the window ran on a virtual one; its screenshot is $0/run.png"
  wineserver -k 2>/dev/null || true
  wait $pid 2>/dev/null || true
' "$shots"
