"""The look at the desktop that following a window adds to a frame, under Wine with 50 top-level
windows of another program open (bench/win32/window_lookup.cpp): the player's lookup of a noted
window open under its recorded title, through the program's own window calls. Prints its figure
with its target, a small part of a 20 ms frame. The lookup of a window that only shares the
program's part of its title (the whole class is read, ten windows here) and the recorder's look at
the window under the pointer are printed beside it.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import subprocess
import sys

import tapmill_e2e as e2e

TARGET_MS = 0.2


def main():
    e2e.start_session()
    try:
        exe = e2e.e2e_bin().parent / "bench" / "window_lookup.exe"
        run = subprocess.run(["wine", str(exe)], env=e2e.wine_env(), capture_output=True, text=True, timeout=120)
    finally:
        e2e.end_session()
    print(run.stdout, end="")
    if run.returncode != 0:
        print(run.stderr, end="")
        return 1
    figures = dict(line.split() for line in run.stdout.splitlines() if line.endswith(tuple("0123456789")))
    e2e.figure("window_lookup", float(figures["lookup_ms"]), "ms", TARGET_MS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
