#!/usr/bin/env bash
# Runs a command on an X display: the caller's own if DISPLAY is set, otherwise a private Xvfb that
# lives exactly as long as the command, with tools/wmstate.c keeping the one record of a window
# manager that Wine waits for. Exits with the command's exit code.
# Usage: [SCREEN_SIZE=WIDTHxHEIGHT] tools/with-display.sh CMD ARGS...
# The private display is 1024x768 unless SCREEN_SIZE names another size (e.g. 1366x768, a common
# laptop screen).
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 CMD ARGS..." >&2; exit 2; }
[ -n "${DISPLAY:-}" ] && exec "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
wmstate=$root/build/wmstate
if [ ! "$wmstate" -nt "$root/tools/wmstate.c" ]; then
  mkdir -p "$root/build"
  cc -O1 -Wall -o "$wmstate.$$" "$root/tools/wmstate.c" -lX11 && mv "$wmstate.$$" "$wmstate"
fi

# -displayfd lets Xvfb take the first free display number itself and tell it once it is listening,
# which no probing of lock files from here can do without a race against other servers starting.
number_file=$(mktemp)
size=${SCREEN_SIZE:-1024x768}
[[ $size =~ ^[0-9]+x[0-9]+$ ]] || { echo "with-display: SCREEN_SIZE must read WIDTHxHEIGHT, not $size" >&2; exit 2; }
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number_file"' EXIT
trap 'exit 130' INT TERM

for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "with-display: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$number_file" ] || { echo "with-display: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' < "$number_file")"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "with-display: $DISPLAY does not answer" >&2; exit 1; }
"$wmstate" &
marker=$!
trap 'kill "$marker" "$xvfb" 2>/dev/null; wait "$marker" "$xvfb" 2>/dev/null; rm -f "$number_file"' EXIT

set +e
"$@"
status=$?
exit "$status"
